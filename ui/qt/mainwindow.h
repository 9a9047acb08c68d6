// Form1 on Qt: the preview, the status line, the info strip and, on the
// right, the point-2 edits, the distance table, the help text and the OK and
// cancel buttons. Each widget forwards its events to the window's behaviour
// (TForm1, app/) and shows what it is told through the FrontEnd interface;
// no rule of the window lives here.
//
// The components keep their designed names and are public so that the
// window's tests can reach them as a user would.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <memory>

#include "app/formcontrols.h"
#include "app/frontend.h"
#include "app/tform1.h"

class DistanceGrid;
class DistanceModel;
class PreviewBox;
class QFileDialog;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTextBrowser;
class QTimer;
class QWheelEvent;
class SjisLineEdit;

class MainWindow : public QWidget, public FrontEnd {
  Q_OBJECT

 public:
  // programPath is the program file: JWC_TEMP.TXT lies in its folder, and
  // the settings file is the same path with the extension ".dat".
  explicit MainWindow(const QString& programPath, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The window's behaviour, for the tests to look into.
  TForm1& Form() { return *form_; }

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
  QLabel* LabelArea;  // the site's area, under the table
  QFrame* Panel4;
  QPlainTextEdit* Memo1;
  QPushButton* Button1;
  QPushButton* Button2;
  QFileDialog* OpenDialog1 = nullptr;  // made on first use
  QFileDialog* SaveDialog1 = nullptr;

  // FrontEnd.
  std::string EditText(EditId edit) const override;
  void SetEditText(EditId edit, const std::string& sjis) override;
  void FocusEdit(EditId edit) override;
  void FocusControl(ControlId control) override;
  void CellsChanged(int32_t firstRow, int32_t lastRow) override;
  void CommitCellEditor() override;
  TCellPos CellCursor() const override;
  TCellRange CellSelection() const override;
  void SetCaption(const std::string& sjis) override;
  void SetStatus(const std::string& sjis) override;
  void SetAreaText(const std::string& sjis) override;
  bool AskYesNo(const std::string& sjis) override;
  void ShowError(const std::string& sjis) override;
  std::optional<std::filesystem::path> OpenTableDialog(const std::filesystem::path& start) override;
  std::optional<std::filesystem::path> SaveTableDialog(const std::filesystem::path& start,
                                                       TFileKind kind) override;
  std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                     const std::string& text) override;
  TBounds WindowBounds() const override;
  void SetWindowBounds(const TBounds& bounds) override;
  TBounds PaintBoxBounds() const override;
  Canvas& PreviewCanvas() override;
  void RepaintPreview() override;
  void ScheduleRedrawSlice() override;
  std::optional<TClipboardText> ClipboardText() const override;
  void SetClipboardText(const std::string& sjis) override;
  void Close() override;

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
  void CreateControls();
  QScrollArea* BuildInfoStrip(const char* name);
  // Every control where the layout puts it at the window's present size.
  void LayoutControls();
  QWidget* AreaOf(ControlArea area) const;
  QWidget* Control(ControlId id) const { return controls_[static_cast<size_t>(id)]; }
  void WirePreview();
  void WireArea();
  // The area line's menu at the screen point.
  void AreaMenu(const QPoint& at);
  void OpenGuide();
  void FocusChanged(QWidget* old, QWidget* now);
  // True when the key was one of the navigation keys and the form took it.
  bool KeyPreview(const QKeyEvent& event);
  // True when the wheel over target zoomed the preview.
  bool WheelPreview(QWidget* target, const QWheelEvent& event);
  std::optional<std::filesystem::path> RunTableDialog(QFileDialog* dialog,
                                                      const std::filesystem::path& start);
  SjisLineEdit* EditOf(EditId edit) const;

  std::unique_ptr<TForm1> form_;
  bool gridHasFocus_ = false;
  std::array<QWidget*, kControlCount> controls_{};
  QTimer* resizeSettle_ = nullptr;
  QTimer* redrawSlice_ = nullptr;
};
