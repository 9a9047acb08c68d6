// The Win32 window: controls created once at their designed places, moved
// on every size change; the preview is a child window showing the raster
// canvas; the message loop gives the window the navigation keys before the
// focused control and lets the dialog manager do Tab and the mnemonics.
#include "ui/win32/mainwindow.h"

#include <commdlg.h>
#include <imm.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/formlayout.h"
#include "app/formtexts.h"
#include "common/sjis.h"
#include "exchange/tablefile.h"

namespace {

// Control ids: never IDOK (1) or IDCANCEL (2), which the dialog manager
// sends for Enter and Esc.
enum ControlId : int {
  kEdit1 = 100,
  kEdit2,
  kButton1,
  kButton2,
  kButton3,
  kButton4,
  kButton5,
  kGrid,
  kMemo,
  kStatus,
  kInfoText,
  kInfoLink,
  kLabel1,
};

// The timer of the next slice of a long redraw. Timer messages come after
// input and paints, so the window answers between slices.
constexpr UINT_PTR kRedrawSliceTimer = 1;

constexpr int kFontHeight = -13;
constexpr int kGridFontHeight = -12;
constexpr COLORREF kCream = 0x00F0FBFF;         // (255, 251, 240)
constexpr COLORREF kStatusColour = 0x00E7E7E7;  // (231, 231, 231)
constexpr COLORREF kHelpColour = 0x00F4EBBB;    // (187, 235, 244)
constexpr COLORREF kLink = 0x00CC0000;
const wchar_t kFormClass[] = L"HoruneForm";
const wchar_t kPreviewClass[] = L"HorunePreview";
const wchar_t kFaceName[] = L"ＭＳ ゴシック";

// Where a control of Panel2 sits: its designed place inside its panel.
struct Placed {
  int id;
  int x, y, width, height;
};

const Placed kPanel3Parts[] = {
    {kLabel1, 8, 8, 140, 16},           {kLabel1 + 1, 8, 32, 70, 16},
    {kEdit1, 80, 28, 41, kEditHeight},  {kLabel1 + 2, 128, 32, 30, 16},
    {kEdit2, 160, 28, 49, kEditHeight}, {kLabel1 + 3, 216, 32, 20, 16},
    {kButton3, 144, 0, 49, 25},         {kButton4, 192, 0, 25, 25},
    {kButton5, 216, 0, 25, 25},
};

const Placed kPanel4Parts[] = {
    {kMemo, 0, 0, 241, 89},
    {kButton1, 0, 90, 97, 25},
    {kButton2, 104, 90, 137, 25},
};

MainWindow* FormOf(HWND hwnd) {
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HFONT NewFont(int height, bool underline = false) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = FW_NORMAL;
  lf.lfUnderline = underline;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  std::wcsncpy(lf.lfFaceName, kFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

std::wstring Wide(const char* utf8) {
  return WideFromSjis(SjisFromUtf8(utf8));
}

std::wstring HelpText() {
  std::wstring text;
  for (const char* line : HelpLines()) {
    if (!text.empty()) text += L"\r\n";
    text += Wide(line);
  }
  return text;
}

std::wstring WindowText(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return text;
}

void RegisterClasses(HINSTANCE instance, WNDPROC form, WNDPROC preview) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.lpszClassName = kFormClass;
  wc.lpfnWndProc = form;
  RegisterClassExW(&wc);
  wc.hIcon = nullptr;
  wc.lpszClassName = kPreviewClass;
  wc.lpfnWndProc = preview;
  RegisterClassExW(&wc);
}

std::optional<NavKey> NavKeyOf(WPARAM key) {
  switch (key) {
    case VK_PRIOR:
      return NavKey::PageUp;
    case VK_NEXT:
      return NavKey::PageDown;
    case VK_END:
      return NavKey::End;
    case VK_INSERT:
      return NavKey::Insert;
    case VK_HOME:
      return NavKey::Home;
    case VK_LEFT:
      return NavKey::Left;
    case VK_RIGHT:
      return NavKey::Right;
    case VK_UP:
      return NavKey::Up;
    case VK_DOWN:
      return NavKey::Down;
    default:
      return std::nullopt;
  }
}

uint8_t ButtonBits(WPARAM wp) {
  uint8_t bits = 0;
  if (wp & MK_LBUTTON) bits |= kMouseLeft;
  if (wp & MK_RBUTTON) bits |= kMouseRight;
  if (wp & MK_MBUTTON) bits |= kMouseMiddle;
  return bits;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, const std::filesystem::path& programPath)
    : instance_(instance) {
  RegisterClasses(instance, &MainWindow::FormProc, &MainWindow::PreviewProc);
  font_ = NewFont(kFontHeight);
  gridFont_ = NewFont(kGridFontHeight);
  linkFont_ = NewFont(kFontHeight, true);
  creamBrush_ = CreateSolidBrush(kCream);
  statusBrush_ = CreateSolidBrush(kStatusColour);
  helpBrush_ = CreateSolidBrush(kHelpColour);
  whiteBrush_ = CreateSolidBrush(0x00FFFFFF);
  // System menu and minimize only: no maximize box, but a sizing frame.
  const DWORD style =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;
  hwnd_ =
      CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, L"ホルネ", style, kDesignLeft, kDesignTop,
                      kDesignWidth, kDesignHeight, nullptr, nullptr, instance, nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  form_ = std::make_unique<TForm1>(*this, programPath);
  CreateControls();
  Layout();
  form_->FormCreate();
}

MainWindow::~MainWindow() {
  grid_.reset();
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(gridFont_),
                    static_cast<HGDIOBJ>(linkFont_), static_cast<HGDIOBJ>(creamBrush_),
                    static_cast<HGDIOBJ>(statusBrush_), static_cast<HGDIOBJ>(helpBrush_),
                    static_cast<HGDIOBJ>(whiteBrush_)}) {
    DeleteObject(o);
  }
}

HWND MainWindow::NewControl(const wchar_t* cls, const wchar_t* text, DWORD style, int id,
                            HFONT font) {
  HWND w = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return w;
}

void MainWindow::CreateControls() {
  // Created in tab order: the edits, the grid, OK and cancel.
  paintBox_ = CreateWindowExW(0, kPreviewClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, hwnd_,
                              nullptr, instance_, nullptr);
  SetWindowLongPtrW(paintBox_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  const char* labels[] = {"点1：原点（基準点）", "点2：距離", "角度", "°"};
  for (int i = 0; i < 4; ++i) {
    labels_[i] = NewControl(L"STATIC", Wide(labels[i]).c_str(), SS_LEFT, kLabel1 + i, font_);
  }
  const DWORD editStyle = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
  edit1_ = NewControl(L"EDIT", L"", editStyle, kEdit1, font_);
  edit2_ = NewControl(L"EDIT", L"", editStyle, kEdit2, font_);
  for (HWND edit : {edit1_, edit2_}) {
    // Numbers only: the input method stays off.
    ImmAssociateContext(edit, nullptr);
    editBase_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindow::EditProc)));
  }
  CellGrid::Events events;
  events.SelectCell = [this](int32_t col, int32_t row, int32_t current) {
    form_->StringGrid1SelectCell(col, row, current);
  };
  events.Enter = [this] { form_->StringGrid1Enter(); };
  events.Exit = [this] { form_->StringGrid1Exit(); };
  events.Copy = [this] { form_->StringGrid1Copy(); };
  events.Paste = [this] { form_->StringGrid1Paste(); };
  grid_ = std::make_unique<CellGrid>(hwnd_, kGrid, form_->Cells(), gridFont_, std::move(events));
  const char* buttonTexts[] = {"ＯＫ(&Y)", "キャンセル(&N)", "クリア", "開", "保"};
  for (int i = 0; i < 5; ++i) {
    const DWORD tab = i < 2 ? WS_TABSTOP : 0;
    buttons_[i] = NewControl(L"BUTTON", Wide(buttonTexts[i]).c_str(), BS_PUSHBUTTON | tab,
                             kButton1 + i, font_);
  }
  memo_ = NewControl(L"EDIT", HelpText().c_str(),
                     WS_VSCROLL | WS_BORDER | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL, kMemo,
                     font_);
  status_ = NewControl(L"STATIC", L"　", SS_CENTER | SS_CENTERIMAGE, kStatus, font_);
  infoText_ = NewControl(L"STATIC", Wide(InfoStripText()).c_str(), SS_LEFT, kInfoText, font_);
  infoLink_ = NewControl(L"STATIC", Wide(MakerPageAddress()).c_str(), SS_LEFT | SS_NOTIFY,
                         kInfoLink, linkFont_);
}

void MainWindow::Layout() {
  RECT client;
  GetClientRect(hwnd_, &client);
  const int w = client.right;
  const int h = client.bottom;
  const int topHeight = std::max(h - kLabelA1Height - kInfoStripHeight, 0);
  const int panelLeft = std::max(w - kPanel2Width, 0);
  HDWP batch = BeginDeferWindowPos(24);
  auto place = [&batch](HWND c, int x, int y, int width, int height) {
    batch = DeferWindowPos(batch, c, nullptr, x, y, std::max(width, 0), std::max(height, 0),
                           SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place(paintBox_, 0, 0, panelLeft, topHeight);
  for (const Placed& p : kPanel3Parts) {
    place(GetDlgItem(hwnd_, p.id), panelLeft + p.x, p.y, p.width, p.height);
  }
  const int panel4Top = std::max(topHeight - kPanel4Height, kPanel3Height);
  place(grid_->Hwnd(), panelLeft, kPanel3Height, kPanel2Width, panel4Top - kPanel3Height);
  for (const Placed& p : kPanel4Parts) {
    place(GetDlgItem(hwnd_, p.id), panelLeft + p.x, panel4Top + p.y, p.width, p.height);
  }
  place(status_, 0, topHeight, w, kLabelA1Height);
  const int infoTop = topHeight + kLabelA1Height;
  // Up to three lines of words, then the link on a line of its own.
  place(infoText_, 6, infoTop + 2, std::max(w - 12, 0), 44);
  place(infoLink_, 6, infoTop + 47, 300, 16);
  EndDeferWindowPos(batch);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

int MainWindow::Run(int show) {
  ShowWindow(hwnd_, show);
  stage_ = Stage::Shown;
  form_->FormShow();
  UpdateWindow(hwnd_);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_KEYDOWN && KeyPreview(msg)) continue;
    if (msg.message == WM_MOUSEWHEEL) {
      Wheel(msg);
      continue;
    }
    if (IsDialogMessageW(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return form_->ExitCode();
}

bool MainWindow::KeyPreview(const MSG& msg) {
  if (stage_ != Stage::Shown || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  if (msg.wParam == VK_ESCAPE && form_->EscapeKeyDown()) return true;
  const std::optional<NavKey> key = NavKeyOf(msg.wParam);
  if (!key || (GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000)) return false;
  return form_->FormKeyDown(*key, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
}

void MainWindow::Wheel(const MSG& msg) {
  // The control under the mouse scrolls; the rest belongs to the preview.
  const POINT at{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  HWND under = WindowFromPoint(at);
  if (under == grid_->Hwnd() || under == memo_ ||
      (under != nullptr && IsChild(grid_->Hwnd(), under))) {
    SendMessageW(under == memo_ ? memo_ : grid_->Hwnd(), msg.message, msg.wParam, msg.lParam);
    return;
  }
  if (stage_ != Stage::Shown || (under != hwnd_ && !IsChild(hwnd_, under))) return;
  const int delta = GET_WHEEL_DELTA_WPARAM(msg.wParam);
  if (delta < 0) form_->FormMouseWheelDown(at.x, at.y);
  if (delta > 0) form_->FormMouseWheelUp(at.x, at.y);
}

LRESULT CALLBACK MainWindow::FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  MainWindow* self = FormOf(hwnd);
  return self != nullptr ? self->HandleForm(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK MainWindow::PreviewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  MainWindow* self = FormOf(hwnd);
  return self != nullptr ? self->HandlePreview(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK MainWindow::EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  MainWindow* self = FormOf(GetParent(hwnd));
  if (msg == WM_KILLFOCUS && self->stage_ == Stage::Shown) {
    // Leaving the edit for another control of the window computes; focus
    // gone to another program or to a dialog does not.
    HWND next = reinterpret_cast<HWND>(wp);
    const LRESULT r = CallWindowProcW(self->editBase_, hwnd, msg, wp, lp);
    if (next != nullptr && (next == self->hwnd_ || IsChild(self->hwnd_, next))) {
      self->form_->Edit1Exit();
    }
    return r;
  }
  return CallWindowProcW(self->editBase_, hwnd, msg, wp, lp);
}

LRESULT MainWindow::HandleForm(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      Command(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_SIZE:
      if (grid_) Layout();
      if (stage_ == Stage::Shown && wp != SIZE_MINIMIZED) {
        form_->FormResize();
        form_->FormResizeSettled();
      }
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      info->ptMinTrackSize = {kMinWinWidth, kMinWinHeight};
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd_, &client);
      auto* dc = reinterpret_cast<HDC>(wp);
      ::FillRect(dc, &client, whiteBrush_);
      RECT panel{std::max<LONG>(client.right - kPanel2Width, 0), 0, client.right,
                 client.bottom - kLabelA1Height - kInfoStripHeight};
      ::FillRect(dc, &panel, creamBrush_);
      return 1;
    }
    case WM_CTLCOLORSTATIC: {
      auto* dc = reinterpret_cast<HDC>(wp);
      HWND control = reinterpret_cast<HWND>(lp);
      SetBkMode(dc, TRANSPARENT);
      if (control == status_) return reinterpret_cast<LRESULT>(statusBrush_);
      if (control == memo_) {
        SetBkColor(dc, kHelpColour);
        return reinterpret_cast<LRESULT>(helpBrush_);
      }
      if (control == infoLink_) SetTextColor(dc, kLink);
      if (control == infoText_ || control == infoLink_) {
        return reinterpret_cast<LRESULT>(whiteBrush_);
      }
      return reinterpret_cast<LRESULT>(creamBrush_);
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wp) == infoLink_) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      CloseForm();
      return 0;
    case WM_TIMER:
      if (wp != kRedrawSliceTimer) break;
      KillTimer(hwnd_, kRedrawSliceTimer);
      if (stage_ == Stage::Shown) form_->ContinueRedraw();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Logging off closes the window as the close box does.
      if (wp) CloseForm();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void MainWindow::Command(int id, int code) {
  if (stage_ != Stage::Shown) return;
  if (id == kInfoLink && code == STN_CLICKED) {
    ShellExecuteW(hwnd_, L"open", Wide(MakerPageAddress()).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case kButton1:
      form_->Button1Click();
      break;
    case kButton2:
      form_->Button2Click();
      break;
    case kButton3:
      form_->Button3Click();
      break;
    case kButton4:
      form_->Button4Click();
      break;
    case kButton5:
      form_->Button5Click();
      break;
    default:
      break;
  }
}

void MainWindow::CloseForm() {
  if (stage_ == Stage::Shown) {
    stage_ = Stage::Closed;
    form_->FormClose();
  }
  DestroyWindow(hwnd_);
}

LRESULT MainWindow::HandlePreview(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = static_cast<short>(LOWORD(lp));
  const int y = static_cast<short>(HIWORD(lp));
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(paintBox_, &ps);
      if (stage_ == Stage::Shown) form_->PaintBox1Paint();
      DibCanvas& canvas = static_cast<DibCanvas&>(PreviewCanvas());
      BitBlt(dc, 0, 0, canvas.Width(), canvas.Height(), canvas.Dc(), 0, 0, SRCCOPY);
      EndPaint(paintBox_, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetCapture(paintBox_);
      if (stage_ == Stage::Shown) form_->PaintBox1MouseDown(ButtonBits(wp), x, y);
      return 0;
    case WM_MOUSEMOVE:
      if (stage_ == Stage::Shown) form_->PaintBox1MouseMove(x, y);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (ButtonBits(wp) == 0) ReleaseCapture();
      if (stage_ == Stage::Shown) form_->PaintBox1MouseUp(x, y);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(paintBox_, msg, wp, lp);
}

HWND MainWindow::EditOf(EditId edit) const {
  return edit == EditId::Edit1 ? edit1_ : edit2_;
}

std::string MainWindow::EditText(EditId edit) const {
  return SjisFromWide(WindowText(EditOf(edit)));
}

void MainWindow::SetEditText(EditId edit, const std::string& sjis) {
  SetWindowTextW(EditOf(edit), WideFromSjis(sjis).c_str());
}

void MainWindow::FocusEdit(EditId edit) {
  SetFocus(EditOf(edit));
  SendMessageW(EditOf(edit), EM_SETSEL, 0, -1);
}

void MainWindow::CellsChanged(int32_t firstRow, int32_t lastRow) {
  grid_->RowsChanged(firstRow, lastRow);
}

void MainWindow::CommitCellEditor() {
  grid_->CommitEditor();
}

TCellPos MainWindow::CellCursor() const {
  return grid_->Cursor();
}

void MainWindow::SetCellCursor(TCellPos cell) {
  grid_->SetCursor(cell);
}

TCellRange MainWindow::CellSelection() const {
  return grid_->Selection();
}

void MainWindow::SetCaption(const std::string& sjis) {
  SetWindowTextW(hwnd_, WideFromSjis(sjis).c_str());
}

void MainWindow::SetStatus(const std::string& sjis) {
  SetWindowTextW(status_, WideFromSjis(sjis).c_str());
  UpdateWindow(status_);
}

bool MainWindow::AskYesNo(const std::string& sjis) {
  return MessageBoxW(hwnd_, WideFromSjis(sjis).c_str(), Wide("確認").c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void MainWindow::ShowError(const std::string& sjis) {
  // At close the window may be gone already; the box then stands alone.
  MessageBoxW(IsWindow(hwnd_) ? hwnd_ : nullptr, WideFromSjis(sjis).c_str(), Wide("エラー").c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

std::optional<std::filesystem::path> MainWindow::TableDialog(const std::filesystem::path& start,
                                                             bool save) {
  std::wstring file = start.filename().wstring();
  file.resize(32768, L'\0');
  const std::wstring folder = start.parent_path().wstring();
  // The filter: pairs of description and pattern, ended by an empty pair.
  std::wstring filter = Wide("距離表 (*.dlist)") + L'\0' + L"*.dlist" + L'\0' + L'\0';
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = hwnd_;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrDefExt = L"dlist";
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return std::nullopt;
  return std::filesystem::path(std::wstring(file.c_str()));
}

std::optional<std::filesystem::path> MainWindow::OpenTableDialog(
    const std::filesystem::path& start) {
  return TableDialog(start, false);
}

std::optional<std::filesystem::path> MainWindow::SaveTableDialog(
    const std::filesystem::path& start) {
  return TableDialog(start, true);
}

TBounds MainWindow::WindowBounds() const {
  RECT r;
  GetWindowRect(hwnd_, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MainWindow::SetWindowBounds(const TBounds& b) {
  RECT r{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
  // A window left on a screen that is gone comes back to the main one.
  if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL) == nullptr) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    OffsetRect(&r, work.left - r.left, work.top - r.top);
  }
  MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

TBounds MainWindow::PaintBoxBounds() const {
  RECT r;
  GetClientRect(paintBox_, &r);
  POINT at{0, 0};
  ClientToScreen(paintBox_, &at);
  return {at.x, at.y, r.right, r.bottom};
}

Canvas& MainWindow::PreviewCanvas() {
  RECT r;
  GetClientRect(paintBox_, &r);
  const int w = std::max<int>(r.right, 1);
  const int h = std::max<int>(r.bottom, 1);
  if (!canvas_) {
    canvas_ = std::make_unique<DibCanvas>(w, h);
  } else if (canvas_->Width() != w || canvas_->Height() != h) {
    canvas_->Resize(w, h);
  }
  return *canvas_;
}

void MainWindow::ScheduleRedrawSlice() {
  SetTimer(hwnd_, kRedrawSliceTimer, USER_TIMER_MINIMUM, nullptr);
}

void MainWindow::RepaintPreview() {
  DibCanvas& canvas = static_cast<DibCanvas&>(PreviewCanvas());
  HDC dc = GetDC(paintBox_);
  BitBlt(dc, 0, 0, canvas.Width(), canvas.Height(), canvas.Dc(), 0, 0, SRCCOPY);
  ReleaseDC(paintBox_, dc);
}

std::optional<TClipboardText> MainWindow::ClipboardText() const {
  if (!OpenClipboard(hwnd_)) return std::nullopt;
  std::optional<TClipboardText> result;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      const std::wstring wide(text);
      GlobalUnlock(data);
      if (!wide.empty()) {
        const std::string sjis = SjisFromWide(wide);
        const bool exact = WideFromSjis(sjis) == wide;
        result = exact ? TClipboardText{true, sjis} : TClipboardText{false, {}};
      }
    }
  }
  CloseClipboard();
  return result;
}

void MainWindow::SetClipboardText(const std::string& sjis) {
  const std::wstring text = WideFromSjis(sjis);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (block == nullptr) return;
  std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(block)));
  GlobalUnlock(block);
  if (!OpenClipboard(hwnd_)) {
    GlobalFree(block);
    return;
  }
  EmptyClipboard();
  if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) GlobalFree(block);
  CloseClipboard();
}

void MainWindow::Close() {
  SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}
