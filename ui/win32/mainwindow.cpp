// The Win32 window: controls made once from the control table and placed by
// its layout on every size or density change; the preview is a child window
// showing the canvas; the message loop gives the window the navigation keys
// before the focused control and lets the dialog manager do Tab and the
// mnemonics (with Alt only: a plain letter is always text).
#include "ui/win32/mainwindow.h"

#include <commdlg.h>
#include <imm.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/formtexts.h"
#include "app/windowplacement.h"
#include "common/sjis.h"
#include "exchange/tablefile.h"
#include "ui/win32/sjisinput.h"
#include "ui/win32/textbox.h"

namespace {

// Control ids are ControlId + kFirstControlId: never IDOK (1) or IDCANCEL
// (2), which the dialog manager sends for Enter and Esc.
constexpr int kFirstControlId = 100;
constexpr int kInfoLinkId = 99;

// The next slice of a long redraw comes as a message of the window's own
// while nothing else waits, so the slices follow one another at once. A
// posted message is taken before input, paints and timers, so with any of
// them waiting it comes by a timer instead, whose message comes after
// theirs: the window answers between slices.
constexpr UINT kRedrawSliceMessage = WM_APP + 1;
constexpr UINT kWaitingBeforeSlice = QS_INPUT | QS_PAINT | QS_TIMER;
// The timers of that slice, and of the redraw once a resize has settled.
constexpr UINT_PTR kRedrawSliceTimer = 1;
constexpr UINT_PTR kResizeSettleTimer = 2;

constexpr COLORREF kCream = 0x00F0FBFF;        // (255, 251, 240)
constexpr COLORREF kStatusColor = 0x00E7E7E7;  // (231, 231, 231)
constexpr COLORREF kHelpColor = 0x00F4EBBB;    // (187, 235, 244)
constexpr COLORREF kLink = 0x00CC0000;
const wchar_t kFormClass[] = L"HoruneForm";
const wchar_t kPreviewClass[] = L"HorunePreview";
const wchar_t kFaceName[] = L"ＭＳ ゴシック";
constexpr UINT kDesignDpi = 96;

MainWindow* FormOf(HWND hwnd) {
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HFONT NewFont(int pixels, bool underline = false) {
  LOGFONTW lf{};
  lf.lfHeight = -pixels;
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
  // The program's own icon, from its resources (1).
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  if (wc.hIcon == nullptr) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
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

RECT RectOf(const TBounds& b) {
  return {b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
}

TBounds BoundsOf(const RECT& r) {
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(monitor, &info)) {
    reinterpret_cast<std::vector<TBounds>*>(list)->push_back(BoundsOf(info.rcWork));
  }
  return TRUE;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, const std::filesystem::path& programPath)
    : instance_(instance) {
  // TForm1's constructor makes the form (FormCreate) and starts reading the
  // host's drawing: first, so the reading goes on while the window is made,
  // the slowest part of a start under Wine (the display's driver, fonts).
  form_ = std::make_unique<TForm1>(*this, programPath);
  RegisterClasses(instance, &MainWindow::FormProc, &MainWindow::PreviewProc);
  creamBrush_ = CreateSolidBrush(kCream);
  statusBrush_ = CreateSolidBrush(kStatusColor);
  helpBrush_ = CreateSolidBrush(kHelpColor);
  whiteBrush_ = CreateSolidBrush(0x00FFFFFF);
  // System menu and minimize only: no maximize box, but a sizing frame.
  const DWORD style =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;
  hwnd_ =
      CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, L"ホルネ", style, kDesignLeft, kDesignTop,
                      kDesignWidth, kDesignHeight, nullptr, nullptr, instance, nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  CreateControls();
  TakeDpi(GetDpiForWindow(hwnd_));
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

HWND MainWindow::NewControl(const wchar_t* cls, const std::wstring& text, DWORD style,
                            ControlId id) {
  const int cid = kFirstControlId + static_cast<int>(id);
  return CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, hwnd_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(cid)), instance_, nullptr);
}

void MainWindow::CreateControls() {
  // Made in the table's order, which is the tab order of those with a stop.
  for (const TControl& c : FormControls()) {
    const DWORD tab = c.TabOrder > 0 ? WS_TABSTOP : 0;
    HWND w = nullptr;
    switch (c.Kind) {
      case ControlKind::Preview:
        w = CreateWindowExW(0, kPreviewClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, hwnd_,
                            nullptr, instance_, nullptr);
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        break;
      case ControlKind::Label:
        // SS_NOTIFY: the area line takes a right click for its menu.
        w = NewControl(L"STATIC", Wide(c.Text),
                       c.Id == ControlId::LabelArea ? SS_LEFT | SS_NOTIFY : SS_LEFT, c.Id);
        break;
      case ControlKind::Status:
        w = NewControl(L"STATIC", Wide(c.Text), SS_CENTER | SS_CENTERIMAGE, c.Id);
        break;
      case ControlKind::InfoStrip:
        w = NewControl(L"STATIC", Wide(InfoStripText()), SS_LEFT, c.Id);
        infoLink_ =
            CreateWindowExW(0, L"STATIC", Wide(GuideLinkText()).c_str(),
                            WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOTIFY, 0, 0, 10, 10, hwnd_,
                            reinterpret_cast<HMENU>(INT_PTR{kInfoLinkId}), instance_, nullptr);
        break;
      case ControlKind::Edit:
        w = NewControl(L"EDIT", L"", tab | WS_BORDER | ES_AUTOHSCROLL, c.Id);
        editBase_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindow::EditProc)));
        break;
      case ControlKind::Button:
        // BS_NOTIFY: the window learns where the focus went.
        w = NewControl(L"BUTTON", Wide(c.Text), BS_PUSHBUTTON | BS_NOTIFY | tab, c.Id);
        break;
      case ControlKind::Memo:
        w = NewControl(L"EDIT", HelpText(),
                       WS_VSCROLL | WS_BORDER | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL, c.Id);
        break;
      case ControlKind::Grid: {
        CellGrid::Events events;
        events.SelectCell = [this](int32_t col, int32_t row, int32_t current) {
          form_->StringGrid1SelectCell(col, row, current);
        };
        events.Enter = [this] {
          form_->ControlFocused(ControlId::StringGrid1);
          form_->StringGrid1Enter();
        };
        events.Exit = [this] { form_->StringGrid1Exit(); };
        events.Copy = [this] { form_->StringGrid1Copy(); };
        events.Paste = [this] { form_->StringGrid1Paste(); };
        events.Clear = [this] { form_->StringGrid1Clear(); };
        events.Edited = [this] { form_->StringGrid1CellEdited(); };
        events.ToggleArea = [this](int32_t row) { form_->StringGrid1ToggleArea(row); };
        events.LeftOut = [this](int32_t row) { return form_->RowLeftOut(row); };
        grid_ = std::make_unique<CellGrid>(hwnd_, kFirstControlId + static_cast<int>(c.Id),
                                           form_->Cells(), std::move(events));
        w = grid_->Hwnd();
        break;
      }
    }
    // Numbers only: the input method stays off.
    if (!c.InputMethod) ImmAssociateContext(w, nullptr);
    controls_[static_cast<size_t>(c.Id)] = w;
  }
}

void MainWindow::TakeDpi(UINT dpi) {
  // The system answers 0 when it cannot tell the window's density (Wine
  // does while its display starts up): the designed density then, never a
  // window of no size.
  if (dpi == 0) dpi = kDesignDpi;
  scale_ = static_cast<double>(dpi) / kDesignDpi;
  for (HFONT f : {font_, gridFont_, linkFont_}) DeleteObject(f);
  font_ = NewFont(Scaled(kFontHeight, scale_));
  gridFont_ = NewFont(Scaled(kGridFontHeight, scale_));
  linkFont_ = NewFont(Scaled(kFontHeight, scale_), true);
  for (HWND w : controls_) {
    if (w != nullptr) SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  SendMessageW(infoLink_, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_), FALSE);
  grid_->SetLook(gridFont_, scale_);
  // The column is as wide as the table's default columns need, and never
  // narrower than designed.
  const int frame =
      2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi) + GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
  panel2Width_ = std::max(Scaled(kPanel2Width, scale_), grid_->ColumnsWidth() + frame);
  Layout();
}

int32_t MainWindow::AreaTextHeight(int32_t width) const {
  HWND line = Control(ControlId::LabelArea);
  const std::wstring text = WindowText(line);
  if (text.empty() || width <= 0) return 0;
  HDC dc = GetDC(line);
  HGDIOBJ old = SelectObject(dc, font_);
  RECT r{0, 0, width, 0};
  // As the static control breaks its lines.
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(line, dc);
  return r.bottom;
}

TFormLayout MainWindow::CurrentLayout() const {
  RECT client;
  GetClientRect(hwnd_, &client);
  const int32_t column = std::min<int32_t>(panel2Width_, client.right);
  return LayoutForm(client.right, client.bottom, panel2Width_, scale_, AreaTextHeight(column));
}

void MainWindow::Layout() {
  const TFormLayout l = CurrentLayout();
  HDWP batch = BeginDeferWindowPos(static_cast<int>(kControlCount) + 1);
  // No copy of the old pixels: every control paints itself anew at its place.
  auto place = [&batch](HWND c, const TBounds& b) {
    batch = DeferWindowPos(batch, c, nullptr, b.Left, b.Top, std::max(b.Width, 0),
                           std::max(b.Height, 0), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  };
  for (const TControl& c : FormControls()) place(Control(c.Id), l[c.Id]);
  // The strip: up to three lines of words, then the link on a line of its own.
  const TBounds strip = l[ControlId::InfoStrip];
  const int margin = Scaled(6, scale_);
  place(Control(ControlId::InfoStrip), {margin, strip.Top + Scaled(2, scale_),
                                        std::max(strip.Width - 2 * margin, 0), Scaled(44, scale_)});
  place(infoLink_,
        {margin, strip.Top + Scaled(47, scale_), Scaled(300, scale_), Scaled(16, scale_)});
  EndDeferWindowPos(batch);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int MainWindow::Run(int show) {
  // As the form's show event comes before it shows: the window takes its
  // bounds and the view while still hidden, and shows once at its size.
  form_->FormShow();
  ShowWindow(hwnd_, show);
  UpdateWindow(hwnd_);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (MessageTaken) MessageTaken(msg);
    if (msg.message == WM_KEYDOWN && KeyPreview(msg)) continue;
    if (msg.message == WM_MOUSEWHEEL) {
      Wheel(msg);
      continue;
    }
    // A plain letter is text for the control that has the focus, never a
    // button's mnemonic: those take Alt (WM_SYSCHAR).
    if (msg.message != WM_CHAR && IsDialogMessageW(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return form_->ExitCode();
}

bool MainWindow::KeyPreview(const MSG& msg) {
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  if (msg.wParam == VK_ESCAPE && form_->Preview.EscapeKeyDown()) return true;
  if (msg.wParam == 'C' && msg.hwnd == Control(ControlId::LabelArea) &&
      (GetKeyState(VK_CONTROL) & 0x8000)) {
    form_->LabelAreaCopy();
    return true;
  }
  const std::optional<NavKey> key = NavKeyOf(msg.wParam);
  if (!key || (GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000)) return false;
  return form_->Preview.FormKeyDown(*key, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
}

void MainWindow::Wheel(const MSG& msg) {
  // The control under the mouse scrolls; the rest belongs to the preview.
  const POINT at{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  HWND under = WindowFromPoint(at);
  HWND grid = Control(ControlId::StringGrid1);
  HWND memo = Control(ControlId::Memo1);
  if (under == grid || under == memo || (under != nullptr && IsChild(grid, under))) {
    SendMessageW(under == memo ? memo : grid, msg.message, msg.wParam, msg.lParam);
    return;
  }
  if (under != hwnd_ && !IsChild(hwnd_, under)) return;
  form_->Preview.FormMouseWheel(at.x, at.y, GET_WHEEL_DELTA_WPARAM(msg.wParam));
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
  if (SjisInputRefused(hwnd, msg, wp)) return 0;
  if (HalfWidthInput(hwnd, self->editBase_, msg, wp, lp)) return 0;
  // The window's menu key opens the area line's menu here too.
  if (msg == WM_CONTEXTMENU && FromKeyboard(lp)) {
    return SendMessageW(self->hwnd_, msg, reinterpret_cast<WPARAM>(hwnd), lp);
  }
  if (msg == WM_SETFOCUS) {
    if (const std::optional<ControlId> id = self->ControlOf(hwnd)) self->form_->ControlFocused(*id);
  }
  if (msg == WM_KILLFOCUS) {
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
    case WM_ACTIVATE:
      // Not to DefWindowProc: it would give the focus to the frame, where
      // typing goes nowhere.
      if (HIWORD(wp) == 0) Activate(LOWORD(wp) != WA_INACTIVE);
      return 0;
    case WM_SIZE:
      if (grid_) Layout();
      if (wp != SIZE_MINIMIZED) {
        form_->FormResize();
        SetTimer(hwnd_, kResizeSettleTimer, kResizeSettleMs, nullptr);
      }
      return 0;
    case WM_DPICHANGED: {
      // The window moves to a screen of another density: everything inside
      // at the new density, then the system's suggested bounds (the least
      // size asked for on the way is already the new density's).
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      TakeDpi(HIWORD(wp));
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      info->ptMinTrackSize = {MinWindowWidth(scale_), MinWindowHeight(scale_)};
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd_, &client);
      auto* dc = reinterpret_cast<HDC>(wp);
      ::FillRect(dc, &client, whiteBrush_);
      const TFormLayout l = CurrentLayout();
      const RECT panel = RectOf(l.Panel2);
      ::FillRect(dc, &panel, creamBrush_);
      return 1;
    }
    case WM_CTLCOLORSTATIC: {
      auto* dc = reinterpret_cast<HDC>(wp);
      HWND control = reinterpret_cast<HWND>(lp);
      SetBkMode(dc, TRANSPARENT);
      if (control == Control(ControlId::LabelA1)) return reinterpret_cast<LRESULT>(statusBrush_);
      if (control == Control(ControlId::Memo1)) {
        SetBkColor(dc, kHelpColor);
        return reinterpret_cast<LRESULT>(helpBrush_);
      }
      if (control == infoLink_) SetTextColor(dc, kLink);
      if (control == Control(ControlId::InfoStrip) || control == infoLink_) {
        return reinterpret_cast<LRESULT>(whiteBrush_);
      }
      return reinterpret_cast<LRESULT>(creamBrush_);
    }
    case WM_CONTEXTMENU:
      // A right click on the area line, or the menu key (Shift+F10) anywhere.
      if (reinterpret_cast<HWND>(wp) == Control(ControlId::LabelArea) || FromKeyboard(lp)) {
        AreaMenu(lp);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wp) == infoLink_) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      CloseForm();
      return 0;
    case kRedrawSliceMessage:
      form_->Preview.ContinueRedraw();
      return 0;
    case WM_TIMER:
      if (wp != kRedrawSliceTimer && wp != kResizeSettleTimer) break;
      KillTimer(hwnd_, wp);
      if (wp == kRedrawSliceTimer) form_->Preview.ContinueRedraw();
      if (wp == kResizeSettleTimer) form_->FormResizeSettled();
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

void MainWindow::Activate(bool active) {
  if (!active) {
    // As a dialog does: the control with the focus gets it back.
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd_, focus)) savedFocus_ = focus;
    return;
  }
  if (savedFocus_ != nullptr && IsWindow(savedFocus_) && IsWindowVisible(savedFocus_)) {
    SetFocus(savedFocus_);
  } else {
    FocusControl(form_->FocusPlace());
  }
}

std::optional<ControlId> MainWindow::ControlOf(HWND hwnd) const {
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == hwnd) return static_cast<ControlId>(i);
  }
  return std::nullopt;
}

void MainWindow::Command(int id, int code) {
  if (id == kInfoLinkId && code == STN_CLICKED) {
    ShellExecuteW(hwnd_, L"open", (form_->ProgramFolder / GuideFileName()).wstring().c_str(),
                  nullptr, nullptr, SW_SHOWNORMAL);
    return;
  }
  const auto control = static_cast<ControlId>(id - kFirstControlId);
  if (code == BN_SETFOCUS) form_->ControlFocused(control);
  if (code != BN_CLICKED) return;
  switch (control) {
    case ControlId::Button1:
      form_->Button1Click();
      break;
    case ControlId::Button2:
      form_->Button2Click();
      break;
    case ControlId::Button3:
      form_->Button3Click();
      break;
    case ControlId::Button4:
      form_->Button4Click();
      break;
    case ControlId::Button5:
      form_->Button5Click();
      break;
    case ControlId::LabelArea:
      // A click gives the line the keys, for Ctrl+C.
      SetFocus(Control(ControlId::LabelArea));
      break;
    default:
      break;
  }
}

void MainWindow::CloseForm() {
  form_->FormClose();
  DestroyWindow(hwnd_);
}

LRESULT MainWindow::HandlePreview(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = static_cast<short>(LOWORD(lp));
  const int y = static_cast<short>(HIWORD(lp));
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Control(ControlId::PaintBox1), &ps);
      form_->Preview.PaintBox1Paint();
      DibCanvas& canvas = static_cast<DibCanvas&>(PreviewCanvas());
      BitBlt(dc, 0, 0, canvas.Width(), canvas.Height(), canvas.Dc(), 0, 0, SRCCOPY);
      EndPaint(Control(ControlId::PaintBox1), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetCapture(Control(ControlId::PaintBox1));
      form_->Preview.PaintBox1MouseDown(ButtonBits(wp), x, y);
      return 0;
    case WM_MOUSEMOVE:
      form_->Preview.PaintBox1MouseMove(x, y);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (ButtonBits(wp) == 0) ReleaseCapture();
      form_->Preview.PaintBox1MouseUp(x, y);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(Control(ControlId::PaintBox1), msg, wp, lp);
}

HWND MainWindow::EditOf(EditId edit) const {
  return Control(edit == EditId::Edit1 ? ControlId::Edit1 : ControlId::Edit2);
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

void MainWindow::FocusControl(ControlId control) {
  SetFocus(Control(control));
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

TCellRange MainWindow::CellSelection() const {
  return grid_->Selection();
}

void MainWindow::SetCaption(const std::string& sjis) {
  SetWindowTextW(hwnd_, WideFromSjis(sjis).c_str());
}

void MainWindow::SetStatus(const std::string& sjis) {
  HWND status = Control(ControlId::LabelA1);
  SetWindowTextW(status, WideFromSjis(sjis).c_str());
  UpdateWindow(status);
}

void MainWindow::AreaMenu(LPARAM at) {
  POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (FromKeyboard(at)) {  // under the line's corner
    RECT r;
    GetWindowRect(Control(ControlId::LabelArea), &r);
    p = {r.left, r.bottom};
  }
  HMENU menu = CreatePopupMenu();
  const std::vector<TAreaMenuItem> items = form_->AreaMenu();
  for (size_t i = 0; i < items.size(); ++i) {
    const UINT flags = MF_STRING | (items[i].Checked ? MF_CHECKED : MF_UNCHECKED) |
                       (items[i].Enabled ? MF_ENABLED : MF_GRAYED);
    AppendMenuW(menu, flags, i + 1, WideFromSjis(items[i].Text).c_str());
  }
  const int chosen =
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd_, nullptr);
  DestroyMenu(menu);
  if (chosen > 0) form_->AreaMenuChoose(static_cast<size_t>(chosen - 1));
}

void MainWindow::SetAreaText(const std::string& sjis) {
  HWND line = Control(ControlId::LabelArea);
  SetWindowTextW(line, WideFromSjis(sjis).c_str());
  // A text of more lines takes room from the table: the window is laid out
  // anew only when the line's place changes.
  RECT r;
  GetWindowRect(line, &r);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  if (BoundsOf(r) != CurrentLayout()[ControlId::LabelArea]) Layout();
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
                                                             bool save, TFileKind kind) {
  std::wstring file = start.filename().wstring();
  file.resize(32768, L'\0');
  const std::wstring folder = start.parent_path().wstring();
  // The filter: pairs of description and pattern, ended by an empty pair.
  const TFileFilter kindFilter = FileFilter(kind);
  std::wstring filter = Wide(kindFilter.Name) + L'\0' + Wide(kindFilter.Pattern) + L'\0' + L'\0';
  const std::wstring extension = Wide(kindFilter.Extension);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = hwnd_;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrDefExt = extension.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return std::nullopt;
  return std::filesystem::path(std::wstring(file.c_str()));
}

std::optional<std::filesystem::path> MainWindow::OpenTableDialog(
    const std::filesystem::path& start) {
  return TableDialog(start, false, TFileKind::Table);
}

std::optional<std::filesystem::path> MainWindow::SaveTableDialog(const std::filesystem::path& start,
                                                                 TFileKind kind) {
  return TableDialog(start, true, kind);
}

std::optional<std::string> MainWindow::AskText(const std::string& title, const std::string& prompt,
                                               const std::string& text) {
  std::wstring lines;
  for (const wchar_t c : WideFromSjis(prompt))
    lines += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
  const std::optional<std::wstring> typed =
      AskTextBox(hwnd_, WideFromSjis(title), lines, WideFromSjis(text));
  if (!typed) return std::nullopt;
  return SjisFromWide(*typed);
}

TBounds MainWindow::WindowBounds() const {
  RECT r;
  GetWindowRect(hwnd_, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MainWindow::SetWindowBounds(const TBounds& b) {
  std::vector<TBounds> screens;
  EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&screens));
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const TBounds v = VisibleWindowBounds(ScaledWindowBounds(b, scale_), screens, BoundsOf(work));
  MoveWindow(hwnd_, v.Left, v.Top, v.Width, v.Height, TRUE);
}

TBounds MainWindow::PaintBoxBounds() const {
  RECT r;
  GetClientRect(Control(ControlId::PaintBox1), &r);
  POINT at{0, 0};
  ClientToScreen(Control(ControlId::PaintBox1), &at);
  return {at.x, at.y, r.right, r.bottom};
}

Canvas& MainWindow::PreviewCanvas() {
  RECT r;
  GetClientRect(Control(ControlId::PaintBox1), &r);
  const int w = std::max<int>(r.right, 1);
  const int h = std::max<int>(r.bottom, 1);
  if (!canvas_) {
    canvas_ = std::make_unique<DibCanvas>(w, h);
  } else if (canvas_->Width() != w || canvas_->Height() != h) {
    canvas_->Resize(w, h);
  }
  return *canvas_;
}

bool MainWindow::CarriesRedrawSlice(const MSG& msg) {
  return msg.message == kRedrawSliceMessage ||
         (msg.message == WM_TIMER && msg.wParam == kRedrawSliceTimer);
}

void MainWindow::ScheduleRedrawSlice() {
  if (HIWORD(GetQueueStatus(kWaitingBeforeSlice)) != 0) {
    SetTimer(hwnd_, kRedrawSliceTimer, USER_TIMER_MINIMUM, nullptr);
  } else {
    PostMessageW(hwnd_, kRedrawSliceMessage, 0, 0);
  }
}

void MainWindow::RepaintPreview() {
  DibCanvas& canvas = static_cast<DibCanvas&>(PreviewCanvas());
  HDC dc = GetDC(Control(ControlId::PaintBox1));
  BitBlt(dc, 0, 0, canvas.Width(), canvas.Height(), canvas.Dc(), 0, 0, SRCCOPY);
  ReleaseDC(Control(ControlId::PaintBox1), dc);
}

std::optional<TClipboardText> MainWindow::ClipboardText() const {
  const std::wstring wide = ClipboardWide(hwnd_);
  if (wide.empty()) return std::nullopt;
  const std::string sjis = SjisFromWide(wide);
  if (WideFromSjis(sjis) != wide) return TClipboardText{false, {}};
  return TClipboardText{true, sjis};
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
