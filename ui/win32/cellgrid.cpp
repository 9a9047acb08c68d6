// The hand-drawn grid: painted into a memory bitmap each time (a few dozen
// visible cells), scrolled by rows, with the fixed row and column always in
// view. The in-place editor is a plain EDIT whose keys that leave the cell
// are taken before it sees them.
#include "ui/win32/cellgrid.h"

#include <imm.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/formcontrols.h"
#include "app/gridkeys.h"
#include "common/sjis.h"
#include "ui/win32/gdi.h"
#include "ui/win32/sjisinput.h"
#include "ui/win32/subclass.h"

namespace {

constexpr int kWheelRows = 3;
// How near a header border the mouse must be to drag it, at 96 dpi.
constexpr int kBorderReach = 3;
constexpr COLORREF kFixedColor = 0x00F0F0F0;
constexpr COLORREF kLineColor = 0x00C0C0C0;
constexpr COLORREF kWarningColor = 0x000000FF;
const wchar_t kClassName[] = L"HoruneGrid";

bool Held(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}

std::optional<TGridKey> GridKeyOf(WPARAM vk) {
  switch (vk) {
    case VK_LEFT:
      return TGridKey::Left;
    case VK_RIGHT:
      return TGridKey::Right;
    case VK_UP:
      return TGridKey::Up;
    case VK_DOWN:
      return TGridKey::Down;
    case VK_TAB:
      return TGridKey::Tab;
    case VK_RETURN:
      return TGridKey::Enter;
    case VK_PRIOR:
      return TGridKey::PageUp;
    case VK_NEXT:
      return TGridKey::PageDown;
    case VK_HOME:
      return TGridKey::Home;
    case VK_END:
      return TGridKey::End;
    case VK_F2:
      return TGridKey::F2;
    case VK_ESCAPE:
      return TGridKey::Escape;
    case VK_DELETE:
      return TGridKey::Delete;
    case VK_BACK:
      return TGridKey::Backspace;
    case 'C':
      return TGridKey::C;
    case 'V':
      return TGridKey::V;
    case 'E':
      return TGridKey::E;
    default:
      return std::nullopt;
  }
}

void RegisterGridClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  wc.lpfnWndProc = DefWindowProcW;
  RegisterClassExW(&wc);
  registered = true;
}

void FillRect(HDC dc, const RECT& r, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// A text that does not fit ends in an ellipsis: cut at the grid line, a
// number would read as another number.
void DrawCellText(HDC dc, RECT r, int margin, const std::string& sjis, COLORREF colour) {
  if (sjis.empty()) return;
  const std::wstring text = WideFromSjis(sjis);
  r.left += margin;
  r.right -= margin;
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

bool Between(int32_t v, int32_t a, int32_t b) {
  return v >= std::min(a, b) && v <= std::max(a, b);
}

}  // namespace

CellGrid::CellGrid(HWND parent, int id, TTableCells& cells, Events events)
    : cells_(cells), events_(std::move(events)) {
  RegisterGridClass();
  hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPCHILDREN, 0, 0,
                          10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  Subclass(hwnd_, [this](HWND, UINT msg, WPARAM wp, LPARAM lp) { return Handle(msg, wp, lp); });
  UpdateScrollBar();
}

CellGrid::~CellGrid() {
  // What the window reports while it goes (the focus leaving) is nobody's
  // business any more.
  events_ = {};
  DestroyWindow(hwnd_);
}

void CellGrid::SetLook(HFONT font, double scale) {
  font_ = font;
  scale_ = scale;
  // Rows and pages are counted by dividing by the row's height.
  rowHeight_ = std::max(Scaled(kGridRowHeight, scale), 1);
  const int digit = TextWidth("0");
  const std::array<int32_t, 6> chars = GridColumnChars();
  for (size_t i = 0; i < chars.size(); ++i) {
    columnWidths_[i] = GridColumnWidth(chars[i] * digit, scale);
  }
  if (editor_ != nullptr) SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  CloseEditor(true);
  UpdateScrollBar();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

int CellGrid::ColumnsWidth() const {
  return ColumnLeft(kGridColumns);
}

int CellGrid::ColumnLeft(int32_t col) const {
  int x = 0;
  for (int32_t c = 0; c < col && c < kGridColumns; ++c) x += columnWidths_[static_cast<size_t>(c)];
  return x;
}

int32_t CellGrid::ColumnAt(int x) const {
  for (int32_t c = 0; c < kGridColumns; ++c) {
    if (x < ColumnLeft(c + 1)) return c;
  }
  return kGridColumns;
}

int32_t CellGrid::BorderAt(int x, int y) const {
  if (y < 0 || y >= rowHeight_) return -1;
  const int reach = Scaled(kBorderReach, scale_);
  for (int32_t c = 0; c < kGridColumns; ++c) {
    if (std::abs(x - ColumnLeft(c + 1)) <= reach) return c;
  }
  return -1;
}

int CellGrid::TextWidth(const std::string& sjis) const {
  const std::wstring text = WideFromSjis(sjis);
  const WindowDc dc(hwnd_);
  const SelectedObject font(dc.Get(), font_);
  SIZE size{};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void CellGrid::FitColumn(int32_t col) {
  int widest = TextWidth(col == 0 ? GridRowLabel(kTableRows) : std::string());
  widest = std::max(widest, TextWidth(GridHeader(col)));
  if (col > 0) {
    for (int32_t row = 1; row <= kTableRows; ++row) {
      const std::string& text = cells_.Shown(col, row);
      if (!text.empty()) widest = std::max(widest, TextWidth(text));
    }
  }
  columnWidths_[static_cast<size_t>(col)] = GridColumnWidth(widest, scale_);
  CloseEditor(true);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CellGrid::EditorMessage(HWND editor, UINT msg, WPARAM wp, LPARAM lp) {
  if (SjisInputRefused(editor, msg, wp)) return 0;
  if (HalfWidthInput(editor, BaseProc(editor), msg, wp, lp)) return 0;
  switch (msg) {
    case WM_CONTEXTMENU:
      // The window's menu key opens the window's menu, not the editor's.
      if (FromKeyboard(lp)) return SendMessageW(GetParent(hwnd_), msg, wp, lp);
      break;
    case WM_GETDLGCODE:
      // The dialog navigation must leave Tab and Enter to the cell.
      return DLGC_WANTALLKEYS | CallBaseProc(editor, msg, wp, lp);
    case WM_KEYDOWN:
      if (KeyDown(wp)) return 0;
      break;
    case WM_CHAR:
      // Tab, Enter and Esc were handled as keys; the EDIT would beep.
      if (wp == L'\t' || wp == L'\r' || wp == 27) return 0;
      break;
    case WM_SETFOCUS:
      FocusArrived();
      break;
    case WM_KILLFOCUS:
      FocusLeaving(reinterpret_cast<HWND>(wp));
      break;
    default:
      break;
  }
  return CallBaseProc(editor, msg, wp, lp);
}

LRESULT CellGrid::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      const PaintDc dc(hwnd_);
      Paint(dc.Get());
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      UpdateScrollBar();
      return 0;
    case WM_GETDLGCODE: {
      // Enter and Esc only when they are meant for the grid itself.
      const auto* m = reinterpret_cast<const MSG*>(lp);
      const bool enter = m != nullptr && m->message == WM_KEYDOWN && m->wParam == VK_RETURN;
      return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
      if (KeyDown(wp)) return 0;
      break;
    case WM_DESTROY:
      // Nothing reaches the grid once its window goes, and its editor ends
      // as any EDIT does.
      if (editor_ != nullptr) Unsubclass(editor_);
      Unsubclass(hwnd_);
      break;
    case WM_CHAR:
      if (wp >= L' ' && Key(TGridKey::Character, wp, lp)) return 0;
      break;
    case WM_VSCROLL: {
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_ALL;
      GetScrollInfo(hwnd_, SB_VERT, &si);
      int32_t top = topRow_;
      switch (LOWORD(wp)) {
        case SB_LINEUP:
          --top;
          break;
        case SB_LINEDOWN:
          ++top;
          break;
        case SB_PAGEUP:
          top -= VisibleRows();
          break;
        case SB_PAGEDOWN:
          top += VisibleRows();
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          top = si.nTrackPos;
          break;
        case SB_TOP:
          top = 1;
          break;
        case SB_BOTTOM:
          top = kTableRows;
          break;
        default:
          break;
      }
      ScrollTo(top);
      return 0;
    }
    case WM_MOUSEWHEEL:
      ScrollTo(topRow_ - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * kWheelRows);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_SETCURSOR:
      if (MouseMessage(msg, wp, lp)) return msg == WM_SETCURSOR ? TRUE : 0;
      break;
    case WM_SETFOCUS:
      FocusArrived();
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      FocusLeaving(reinterpret_cast<HWND>(wp));
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

bool CellGrid::MouseMessage(UINT msg, WPARAM wp, LPARAM lp) {
  POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  if (msg == WM_SETCURSOR) {
    if (LOWORD(lp) != HTCLIENT) return false;
    GetCursorPos(&at);
    ScreenToClient(hwnd_, &at);
    if (sizing_ < 0 && BorderAt(at.x, at.y) < 0) return false;
    ::SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
    return true;
  }
  const int x = at.x;
  const int y = at.y;
  if (msg == WM_LBUTTONUP) {
    dragging_ = false;
    sizing_ = -1;
    ReleaseCapture();
    return true;
  }
  if (msg == WM_MOUSEMOVE) {
    if (sizing_ >= 0) {
      const int least = Scaled(8, scale_);
      columnWidths_[static_cast<size_t>(sizing_)] = std::max(x - ColumnLeft(sizing_), least);
      InvalidateRect(hwnd_, nullptr, FALSE);
      return true;
    }
    if (!dragging_) return false;
  }
  const int32_t border = BorderAt(x, y);
  if (msg == WM_LBUTTONDBLCLK && border >= 0) {
    FitColumn(border);
    return true;
  }
  if (msg == WM_LBUTTONDOWN) SetFocus(hwnd_);
  if (msg == WM_LBUTTONDOWN && border >= 0) {
    CloseEditor(true);
    SetCapture(hwnd_);
    sizing_ = border;
    return true;
  }
  const int32_t col = std::clamp(ColumnAt(x), 1, kGridColumns - 1);
  const int32_t row = std::clamp(topRow_ + (y - rowHeight_) / rowHeight_, 1, kTableRows);
  if (msg == WM_LBUTTONDBLCLK && ColumnAt(x) == 0 && y >= rowHeight_) {
    if (events_.ToggleArea) events_.ToggleArea(row);
    return true;
  }
  if (msg == WM_LBUTTONDOWN) {
    if (ColumnAt(x) >= kGridColumns || y < rowHeight_ || ColumnAt(x) < 1) return true;
    SetCapture(hwnd_);
    dragging_ = true;
    MoveCursor({col, row}, (wp & MK_SHIFT) != 0 ? anchor_ : TCellPos{col, row});
  } else if (msg == WM_MOUSEMOVE) {
    if (col != cursor_.Col || row != cursor_.Row) MoveCursor({col, row}, anchor_);
  } else {
    OpenEditor(WideFromSjis(cells_.Cell(cursor_.Col, cursor_.Row)), false);
  }
  return true;
}

bool CellGrid::KeyDown(WPARAM vk) {
  const std::optional<TGridKey> key = GridKeyOf(vk);
  return key && Key(*key, 0, 0);
}

bool CellGrid::Key(TGridKey key, WPARAM typed, LPARAM lp) {
  const TGridKeyResult r = GridKeyAction(key, Held(VK_SHIFT), Held(VK_CONTROL),
                                         {cursor_, anchor_, VisibleRows(), editorOpen_});
  switch (r.Action) {
    case TGridAction::None:
      return false;
    case TGridAction::Move:
      MoveCursor(r.Cursor, r.Anchor);
      break;
    case TGridAction::Edit:
      OpenEditor(WideFromSjis(cells_.Cell(r.Cursor.Col, r.Cursor.Row)), false);
      break;
    case TGridAction::Type:
      // Characters queued behind the first go on into the editor it opened.
      if (editorOpen_) {
        SendMessageW(editor_, WM_CHAR, typed, lp);
      } else if (!SjisInputRefused(hwnd_, WM_CHAR, typed)) {
        OpenEditor(HalfWidthText(std::wstring(1, static_cast<wchar_t>(typed))), false);
      }
      break;
    case TGridAction::CancelEdit:
      CloseEditor(false);
      break;
    case TGridAction::Copy:
      if (events_.Copy) events_.Copy();
      break;
    case TGridAction::Paste:
      if (events_.Paste) events_.Paste();
      break;
    case TGridAction::Clear:
      if (events_.Clear) events_.Clear();
      break;
    case TGridAction::ToggleArea:
      if (events_.ToggleArea) events_.ToggleArea(r.Cursor.Row);
      break;
  }
  return true;
}

void CellGrid::Paint(HDC screen) {
  RECT client;
  GetClientRect(hwnd_, &client);
  const MemoryDc memory(CreateCompatibleDC(screen));
  HDC dc = memory.get();
  const GdiBitmap bitmap(CreateCompatibleBitmap(screen, client.right, client.bottom));
  const SelectedObject picture(dc, bitmap.get());
  const SelectedObject font(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  FillRect(dc, client, GetSysColor(COLOR_WINDOW));
  const GdiPen pen(CreatePen(PS_SOLID, 1, kLineColor));
  const SelectedObject lines(dc, pen.get());
  const int32_t last = std::min(topRow_ + VisibleRows(), kTableRows);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const int margin = GridTextMargin(scale_);
  for (int32_t col = 0; col < kGridColumns; ++col) {
    const RECT head = CellRect(col, 0);
    FillRect(dc, head, kFixedColor);
    DrawCellText(dc, head, margin, GridHeader(col), GetSysColor(COLOR_BTNTEXT));
    for (int32_t row = topRow_; row <= last; ++row) {
      const RECT r = CellRect(col, row);
      if (col == 0) {
        FillRect(dc, r, kFixedColor);
        const bool leftOut = events_.LeftOut && events_.LeftOut(row);
        DrawCellText(dc, r, margin, GridRowLabel(row),
                     GetSysColor(leftOut ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        continue;
      }
      const bool picked =
          Between(col, anchor_.Col, cursor_.Col) && Between(row, anchor_.Row, cursor_.Row);
      const bool current = col == cursor_.Col && row == cursor_.Row;
      if (picked && !(current && focused_)) FillRect(dc, r, highlight);
      const bool warned = !cells_.Warning(col, row).empty();
      const COLORREF ink = warned                             ? kWarningColor
                           : picked && !(current && focused_) ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                              : GetSysColor(COLOR_WINDOWTEXT);
      DrawCellText(dc, r, margin, cells_.Shown(col, row), ink);
      if (current && focused_) {
        RECT focus = r;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
      }
    }
  }
  // The grid lines, right and bottom of every cell.
  const int bottom = rowHeight_ * (last - topRow_ + 2);
  for (int32_t col = 1; col <= kGridColumns; ++col) {
    MoveToEx(dc, ColumnLeft(col) - 1, 0, nullptr);
    ::LineTo(dc, ColumnLeft(col) - 1, bottom);
  }
  for (int y = rowHeight_ - 1; y < bottom; y += rowHeight_) {
    MoveToEx(dc, 0, y, nullptr);
    ::LineTo(dc, ColumnsWidth(), y);
  }
  BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

RECT CellGrid::CellRect(int32_t col, int32_t row) const {
  const int top = row == 0 ? 0 : rowHeight_ * (row - topRow_ + 1);
  return {ColumnLeft(col), top, ColumnLeft(col + 1) - 1, top + rowHeight_ - 1};
}

int32_t CellGrid::VisibleRows() const {
  RECT client;
  GetClientRect(hwnd_, &client);
  return std::max<int32_t>((client.bottom - rowHeight_) / rowHeight_, 1);
}

void CellGrid::UpdateScrollBar() {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 1;
  si.nMax = kTableRows;
  si.nPage = static_cast<UINT>(VisibleRows());
  si.nPos = topRow_;
  SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
}

void CellGrid::ScrollTo(int32_t topRow) {
  topRow = std::clamp(topRow, 1, std::max(kTableRows - VisibleRows() + 1, 1));
  if (topRow == topRow_) return;
  CloseEditor(true);
  topRow_ = topRow;
  UpdateScrollBar();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void CellGrid::EnsureVisible(int32_t row) {
  if (row < topRow_) ScrollTo(row);
  if (row >= topRow_ + VisibleRows()) ScrollTo(row - VisibleRows() + 1);
}

void CellGrid::MoveCursor(TCellPos to, TCellPos anchor) {
  CloseEditor(true);
  if (to != cursor_) {
    if (events_.SelectCell) events_.SelectCell(to.Col, to.Row, cursor_.Row);
    cursor_ = to;
  }
  anchor_ = anchor;
  EnsureVisible(to.Row);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void CellGrid::SetCursor(TCellPos cell) {
  CloseEditor(true);
  cursor_ = anchor_ = cell;
  EnsureVisible(cell.Row);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void CellGrid::RowsChanged(int32_t firstRow, int32_t lastRow) {
  if (editorOpen_ && Between(editing_.Row, firstRow, lastRow)) {
    SetWindowTextW(editor_, WideFromSjis(cells_.Cell(editing_.Col, editing_.Row)).c_str());
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void CellGrid::OpenEditor(const std::wstring& text, bool selectAll) {
  EnsureVisible(cursor_.Row);
  if (editor_ == nullptr) {
    editor_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 10, 10, hwnd_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    // Numbers only, as in the point-2 edits.
    ImmAssociateContext(editor_, nullptr);
    Subclass(editor_, [this](HWND editor, UINT msg, WPARAM wp, LPARAM lp) {
      return EditorMessage(editor, msg, wp, lp);
    });
  }
  editing_ = cursor_;
  anchor_ = cursor_;
  const RECT r = CellRect(cursor_.Col, cursor_.Row);
  SetWindowTextW(editor_, text.c_str());
  MoveWindow(editor_, r.left + 1, r.top + 1, r.right - r.left - 1, r.bottom - r.top - 1, TRUE);
  ShowWindow(editor_, SW_SHOW);
  editorOpen_ = true;
  SetFocus(editor_);
  const LPARAM end = static_cast<LPARAM>(text.size());
  SendMessageW(editor_, EM_SETSEL, selectAll ? 0 : end, end);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void CellGrid::CommitEditor() {
  if (!editorOpen_) return;
  const int n = GetWindowTextLengthW(editor_);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(editor_, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  cells_.SetCell(editing_.Col, editing_.Row, SjisFromWide(text));
}

void CellGrid::CloseEditor(bool commit) {
  if (!editorOpen_) return;
  if (commit) {
    CommitEditor();
    if (events_.Edited) events_.Edited();
  }
  editorOpen_ = false;
  const bool hadFocus = GetFocus() == editor_;
  ShowWindow(editor_, SW_HIDE);
  if (hadFocus) SetFocus(hwnd_);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void CellGrid::FocusArrived() {
  focused_ = true;
  if (!inside_) {
    inside_ = true;
    if (events_.Enter) events_.Enter();
  }
}

void CellGrid::FocusLeaving(HWND next) {
  focused_ = false;
  if (next == hwnd_ || (editor_ != nullptr && next == editor_)) return;
  // Focus gone to another program or a dialog is no move within the window.
  HWND top = GetParent(hwnd_);
  if (next == nullptr || (next != top && !IsChild(top, next))) return;
  CloseEditor(true);
  inside_ = false;
  if (events_.Exit) events_.Exit();
}
