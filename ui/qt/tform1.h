// Form1, the tool's one window: the preview, the status line, the info strip
// and, on the right, the point-2 edits, the distance table, the help text
// and the OK and cancel buttons. The window wires events to the units below
// it: the exchange store and file, the outline computation, the table file.
//
// The components keep their designed names and are public so that the
// window's tests can reach them as a user would.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "exchange/outline.h"

class DistanceGrid;
class DistanceModel;
class GridOutlineTable;
class PreviewBox;
class QFileDialog;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTextBrowser;
class QUrl;
class SjisLineEdit;
struct TTableFile;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // programPath is the program file: JWC_TEMP.TXT lies in its folder, and
  // the settings file is the same path with the extension ".dat".
  explicit TForm1(const QString& programPath, QWidget* parent = nullptr);
  ~TForm1() override;

  // Reads a settings or table file into the window; no recomputation.
  void LoadTableFile(const QString& path);
  // Writes the window's table state; an old file survives a failed write.
  bool SaveTableFile(const QString& path);
  // Rebuilds the outline in the store from Edit1, Edit2 and the table.
  void ComputeOutline();
  // Draws the preview anew: frame, origin cross and every stored entity
  // (nothing before FormShow has fitted the view).
  void RedrawView();
  // Fits the view to the drawing's extents and draws.
  void FitView();

  QString SettingsPath() const;
  QString JwcTempPath() const;

  PreviewBox* PaintBox1;
  QLabel* LabelA1;
  QScrollArea* ScrollBox1;
  QWidget* Panel1;
  QTextBrowser* WebBrowser1;
  QFrame* Panel2;
  QFrame* Panel3;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  SjisLineEdit* Edit1;
  SjisLineEdit* Edit2;
  QPushButton* Button3;
  QPushButton* Button4;
  QPushButton* Button5;
  DistanceModel* StringGrid1Cells;
  DistanceGrid* StringGrid1;
  QFrame* Panel4;
  QPlainTextEdit* Memo1;
  QPushButton* Button1;
  QPushButton* Button2;
  QFileDialog* OpenDialog1;
  QFileDialog* SaveDialog1;

  QString ProgramFolder;  // with a trailing separator
  int32_t WinLeft = 0;
  int32_t WinTop = 0;
  int32_t WinWidth = 0;
  int32_t WinHeight = 0;
  QString LastTableFile;
  bool ViewReady = false;
  bool KeysEnabled = false;
  TOutlineCounters Outline;

 public slots:
  // A termination request: any open dialog is dismissed and the window
  // closes as by its close box.
  void TerminationRequested();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Stage { Created, Shown, Closed };

  void FormCreate();
  void FormShow();
  void FormResize();
  void FormClose();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Edit1Exit();
  void StringGrid1SelectCell(int col, int row, int previousRow);
  void StringGrid1Enter();
  void StringGrid1Exit();
  void FocusChanged(QWidget* old, QWidget* now);
  void OpenMakerPage(const QUrl& url);
  void PaintBox1Paint();

  void BuildPanel3();
  void BuildPanel4();
  void BuildInfoStrip();
  void PlaceWindow();
  void TakeWindowBounds();
  void ShowStatus(const QString& text);
  // The window bounds from a table file's, and into one.
  void BoundsFromTable(const TTableFile& t);
  void BoundsToTable(TTableFile& t) const;
  // Points a file dialog at the folder and name of LastTableFile.
  void PresetDialog(QFileDialog* dialog) const;

  QString programPath_;
  Stage stage_ = Stage::Created;
  bool gridHasFocus_ = false;
  std::unique_ptr<GridOutlineTable> outlineTable_;
};
