// The frame of the window tests: a temporary program folder, a MainWindow shown
// over it on the offscreen platform, and a user's hands (typing, Tab, clicks
// on the table's cells, answering a dialog).
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "exchange/tablefile.h"
#include "tests/app/hostfolder.h"
#include "ui/qt/mainwindow.h"

// A path as Qt takes it.
inline QString QtPath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

class WindowTest : public ::testing::Test {
 protected:
  ~WindowTest() override;

  // Creates the window over the folder and shows it; the host file and the
  // settings file must be in place before.
  MainWindow& Start();

  // Types the text, key by key, into the widget that has the focus.
  static void Type(const QString& text);
  // Sends one key press with the given text, as an input method would.
  static void TypeChar(QWidget* target, const QString& text);
  static void Tab();
  // Clicks the table cell at the grid row and column (both 1-based).
  void ClickCell(int col, int row);
  // Tabs into the table, which puts the cell cursor on its first cell.
  void EnterTable();
  // Types each text into the current cell and moves on with Tab.
  static void TypeCells(const std::vector<std::string>& utf8Cells);
  // Types the table's rows from row 1 on, one Tab after each cell.
  void TypeRows(const std::vector<TTableRow>& utf8Rows);

  // The settings file beside the program, as the window left it.
  TTableFile Settings() const;
  std::string Answer() const { return ReadBytes(folder.JwcTempPath()); }

  HostFolder folder;
  std::unique_ptr<MainWindow> form;
};

// Runs answer on the next dialog the window opens, inside its own loop.
void WhenDialogOpens(std::function<void(QWidget* dialog)> answer);

// Puts the rows into the table from row 1 on, as opening a file would.
void SetTableRows(MainWindow& form, const std::vector<TTableRow>& rows);
