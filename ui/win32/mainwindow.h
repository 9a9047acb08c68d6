// Form1 on Win32: one top-level window with the system's own controls,
// made from the window's control table (app/formcontrols.h) and placed by
// its layout at the screen's density; each event handed to TForm1's handler
// of the same name and every request of TForm1 carried out on the controls.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/formcontrols.h"
#include "app/frontend.h"
#include "app/tform1.h"
#include "ui/win32/cellgrid.h"
#include "ui/win32/dibcanvas.h"
#include "ui/win32/win32.h"

class MainWindow : public FrontEnd {
 public:
  MainWindow(HINSTANCE instance, const std::filesystem::path& programPath);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Shows the window and runs the message loop until it closes.
  int Run(int show);

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
  static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK PreviewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleForm(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandlePreview(UINT msg, WPARAM wp, LPARAM lp);

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
  std::optional<ControlId> ControlOf(HWND hwnd) const;
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
  HFONT font_ = nullptr;
  HFONT gridFont_ = nullptr;
  HFONT linkFont_ = nullptr;
  HBRUSH creamBrush_ = nullptr;
  HBRUSH statusBrush_ = nullptr;
  HBRUSH helpBrush_ = nullptr;
  HBRUSH whiteBrush_ = nullptr;
  WNDPROC editBase_ = nullptr;
  std::unique_ptr<DibCanvas> canvas_;
  std::unique_ptr<TForm1> form_;
  std::unique_ptr<CellGrid> grid_;
};
