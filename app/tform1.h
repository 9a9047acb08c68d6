// Form1, the tool's one window, without a toolkit: its fields and event
// handlers under their designed names. A front end (app/frontend.h) owns the
// controls, forwards each event to the handler of the same name and shows
// what the handlers tell it; everything the window decides lives here: the
// start-up and close sequences, the buttons, what computes the outline, the
// table's cells, and the preview (app/preview.h) with its navigation.
#pragma once

#include <cstdint>
#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "app/areamenuitem.h"
#include "app/cellwarnings.h"
#include "app/frontend.h"
#include "app/preview.h"
#include "app/tablecells.h"
#include "exchange/tablefile.h"
#include "site/area.h"
#include "site/outline.h"

class TForm1 {
 public:
  // programPath is the program file: JWC_TEMP.TXT lies in its folder and the
  // settings file is the same path with the extension ".dat".
  TForm1(FrontEnd& ui, std::filesystem::path programPath);

  std::filesystem::path SettingsPath() const;
  std::filesystem::path JwcTempPath() const;

  // Lifecycle: the window is made, shown (FormShow, acting once), then
  // closed (FormClose, acting once, and only after it was shown). The
  // window's events reach their handlers only while it is shown: before
  // and after, each handler leaves them be, so a front end forwards every
  // event as it comes. FormResize follows every size change;
  // FormResizeSettled comes once the size has stopped changing and draws
  // the view anew at its size.
  enum class TStage { Created, Shown, Closed };
  TStage Stage() const { return stage_; }
  void FormCreate();
  void FormShow();
  void FormResize();
  void FormResizeSettled();
  void FormClose();

  // OK, cancel, clear, open, save.
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();

  // Leaving Edit1 or Edit2.
  void Edit1Exit();
  // The table's cursor is about to move to (col, row) from a cell of
  // currentRow; moving to another row computes.
  void StringGrid1SelectCell(int32_t col, int32_t row, int32_t currentRow);
  void StringGrid1Enter();
  void StringGrid1Exit();
  // The text typed into a cell has reached Cells(): its mark and the status
  // line's word about it follow what it now holds.
  void StringGrid1CellEdited();

  // A control of the window took the keyboard focus.
  void ControlFocused(ControlId control);
  // Where the keyboard focus goes when the window is active again, after
  // another program or a dialog had it: the last control the user could
  // type into or tab to, Edit1 before any.
  ControlId FocusPlace() const { return focusPlace_; }
  // Ctrl+V and Ctrl+C in the table: blocks of tab-separated cells, one row
  // a line, as spreadsheets exchange them.
  void StringGrid1Paste();
  void StringGrid1Copy();
  // Delete or Backspace on the table's cells (no cell editor open): the
  // selected block is emptied.
  void StringGrid1Clear();
  // Leaves the row's point out of the site's area, or takes it back in (a
  // double click on the point number, or Space there).
  void StringGrid1ToggleArea(int32_t row);
  // Whether the row's point is left out of the area: its number is shown
  // greyed.
  bool RowLeftOut(int32_t row) const;
  // The area line's menu (a right click on it): the method, whether the
  // area table is drawn, the length unit, the coordinates' axes, the site
  // area's rounding and the 坪, the check distances with their tolerance,
  // the road's setbacks and corner cuts, each setting with its check mark;
  // the copy of the area table for a spreadsheet and the corners saved as
  // a SIMA file. Choosing a setting changes it and computes anew; the
  // lists are typed in a small box. The coordinate method and the SIMA file
  // are offered only when the outline is one simple ring; else their items
  // say why.
  std::vector<TAreaMenuItem> AreaMenu() const;
  void AreaMenuChoose(size_t item);
  // Ctrl+C on the area line (a click gives it the keyboard focus): the area
  // table for a spreadsheet, as the menu's copy.
  void LabelAreaCopy();

  // The outline and the table files.
  void ComputeOutline();
  void LoadTableFile(const std::filesystem::path& path);
  bool SaveTableFile(const std::filesystem::path& path);

  // The table's contents and the warnings of the last computation; a front
  // end's cell editor writes its text straight into them.
  const TTableCells& Cells() const { return cells_; }
  TTableCells& Cells() { return cells_; }

  std::filesystem::path ProgramFolder;
  // The window's bounds and the last table file, as the settings file keeps
  // them.
  int32_t WinLeft = 0;
  int32_t WinTop = 0;
  int32_t WinWidth = 0;
  int32_t WinHeight = 0;
  std::filesystem::path LastTableFile;
  TOutlineCounters Outline;
  // How the site's area is worked out and shown; kept in the table files.
  TAreaSettings Area;
  // 1 once the answer for the host could not be written: the user has been
  // told, and the program ends with a failure status.
  int ExitCode() const { return AnswerWritten ? 0 : 1; }

  // The preview, its picture and its navigation.
  TPreview Preview;

 private:
  TStage stage_ = TStage::Created;
  bool Shown() const { return stage_ == TStage::Shown; }
  bool AnswerWritten = true;

  void TakeWindowBounds();
  // The table of a table file, without its window bounds and last file.
  void ApplyTable(const TTableFile& t);
  void MarkUnreadCells();
  void ShowCellWarning(const std::optional<TCellWarning>& first);
  void ShowTable();
  // What a computation reads of the window: the point-2 boxes and the rows
  // before the first blank one, where it stops.
  TOutlineInput ShownInput() const;
  // After a button without a tab stop: the focus back where the user was.
  void ReturnFocus();
  void SaveSimaFile();

  FrontEnd& ui_;
  std::filesystem::path programPath_;
  // The host's drawing, read into the store while the window is being made;
  // the one FormShow takes it.
  std::future<void> readAhead_;
  TTableCells cells_;
  // The values the outline in the store stands for: those the last
  // computation read, or those shown when the outline was last emptied
  // (start-up, clear). OK computes first when the window shows others.
  TOutlineInput computed_;
  // The last computation's area, for the menu and the copy.
  TAreaResult area_;
  // The block after a table file's rows as read, to write back what this
  // version does not know.
  TTableOptions tableOptions_;
  // The status line shows a cell's warning, which goes with the warning.
  bool statusWarns_ = false;
  ControlId focusPlace_ = ControlId::Edit1;
};
