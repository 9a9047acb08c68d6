// Form1 on Win32: one top-level window with the system's own controls,
// placed as designed, each event handed to TForm1's handler of the same
// name and every request of TForm1 carried out on the controls.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

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
  void CellsChanged(int32_t firstRow, int32_t lastRow) override;
  void CommitCellEditor() override;
  TCellPos CellCursor() const override;
  void SetCellCursor(TCellPos cell) override;
  TCellRange CellSelection() const override;
  void SetCaption(const std::string& sjis) override;
  void SetStatus(const std::string& sjis) override;
  bool AskYesNo(const std::string& sjis) override;
  void ShowError(const std::string& sjis) override;
  std::optional<std::filesystem::path> OpenTableDialog(const std::filesystem::path& start) override;
  std::optional<std::filesystem::path> SaveTableDialog(const std::filesystem::path& start) override;
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
  enum class Stage { Created, Shown, Closed };

  static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK PreviewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleForm(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandlePreview(UINT msg, WPARAM wp, LPARAM lp);

  void CreateControls();
  HWND NewControl(const wchar_t* cls, const wchar_t* text, DWORD style, int id, HFONT font);
  void Layout();
  void Command(int id, int code);
  // The navigation keys seen before the focused control; true when used.
  bool KeyPreview(const MSG& msg);
  void Wheel(const MSG& msg);
  void CloseForm();
  HWND EditOf(EditId edit) const;
  std::optional<std::filesystem::path> TableDialog(const std::filesystem::path& start, bool save);

  HINSTANCE instance_;
  Stage stage_ = Stage::Created;
  HWND hwnd_ = nullptr;
  HWND paintBox_ = nullptr;
  HWND edit1_ = nullptr;
  HWND edit2_ = nullptr;
  HWND memo_ = nullptr;
  HWND status_ = nullptr;
  HWND infoText_ = nullptr;
  HWND infoLink_ = nullptr;
  HWND labels_[4] = {};
  HWND buttons_[5] = {};
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
