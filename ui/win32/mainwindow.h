// Form1 on Win32: one top-level window with the system's own controls,
// made from the window's control table (app/formcontrols.h) and placed by
// its layout at the screen's density; each event handed to TForm1's handler
// of the same name and every request of TForm1 carried out on the controls.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/formcontrols.h"
#include "app/frontend.h"
#include "app/tform1.h"
#include "ui/win32/cellgrid.h"
#include "ui/win32/dibcanvas.h"
#include "ui/win32/gdi.h"
#include "ui/win32/win32.h"

class MainWindow : public FrontEnd {
 public:
  MainWindow(HINSTANCE instance, const std::filesystem::path& programPath);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Shows the window and runs the message loop until it closes.
  int Run(int show);
  TForm1& Form() { return *form_; }
  // Whether msg, as the loop takes it, carries the next slice of a redraw.
  static bool CarriesRedrawSlice(const MSG& msg);
  // Called with each message the loop takes, before it is handled: the
  // window probe and the tests watch the loop here, where a message hook
  // would cost Wine three calls to its server a message.
  std::function<void(const MSG&)> MessageTaken;

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

 private:
  LRESULT HandleForm(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandlePreview(UINT msg, WPARAM wp, LPARAM lp);
  // A control made from the table (the grid and the preview aside): its
  // taking the focus goes to the form; an edit's text is held to what the
  // table takes.
  LRESULT ControlMessage(ControlId id, HWND control, UINT msg, WPARAM wp, LPARAM lp);

  void CreateControls();
  HWND NewControl(const wchar_t* cls, const std::wstring& text, DWORD style, ControlId id);
  // The fonts, the grid's columns and the layout at the window's density.
  void TakeDpi(UINT dpi);
  // Where everything goes in the client area now, the area line as high as
  // its text needs at the column's width.
  TFormLayout CurrentLayout() const;
  int32_t AreaTextHeight(int32_t width) const;
  void Layout();
  void Activate(bool active);
  void Command(int id, int code);
  // The navigation keys seen before the focused control; true when used.
  bool KeyPreview(const MSG& msg);
  void Wheel(const MSG& msg);
  void CloseForm();
  // The area line's menu at the screen point of a WM_CONTEXTMENU, or under
  // the line for -1 (from the keyboard).
  void AreaMenu(LPARAM at);
  HWND Control(ControlId id) const { return controls_[static_cast<size_t>(id)]; }
  HWND EditOf(EditId edit) const;
  std::optional<std::filesystem::path> TableDialog(const std::filesystem::path& start, bool save,
                                                   TFileKind kind);

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  std::array<HWND, kControlCount> controls_{};
  HWND infoLink_ = nullptr;  // the strip's link to the guide, beside its words
  double scale_ = 1.0;       // dots per inch / 96
  int32_t panel2Width_ = kPanel2Width;
  // The control that had the focus when the window was last deactivated.
  HWND savedFocus_ = nullptr;
  GdiFont font_;
  GdiFont gridFont_;
  GdiFont linkFont_;
  GdiBrush creamBrush_;
  GdiBrush statusBrush_;
  GdiBrush helpBrush_;
  GdiBrush whiteBrush_;
  std::unique_ptr<DibCanvas> canvas_;
  std::unique_ptr<TForm1> form_;
  std::unique_ptr<CellGrid> grid_;
};
