// The text box's template: a DLGTEMPLATE and its items, each a run of
// WORDs, the items on DWORD bounds.
#include "ui/win32/textbox.h"

#include <vector>

namespace {

constexpr WORD kEditId = 100;
// The predefined classes' atoms in a template.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;
// Sizes in dialog units: room for seven lines of prompt.
constexpr short kWidth = 260;
constexpr short kMargin = 7;
constexpr short kPromptHeight = 56;
constexpr short kButtonWidth = 54;

class DialogTemplate {
 public:
  DialogTemplate(const std::wstring& title, short height, WORD items) {
    Dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    Dword(0);
    for (const WORD w : {items, WORD{0}, WORD{0}, static_cast<WORD>(kWidth),
                         static_cast<WORD>(height), WORD{0}, WORD{0}}) {
      words_.push_back(w);
    }
    Text(title);
    // The window's own face at 9 points.
    words_.push_back(9);
    Text(L"ＭＳ ゴシック");
  }

  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom,
            const std::wstring& text) {
    if (words_.size() % 2 != 0) words_.push_back(0);
    Dword(WS_CHILD | WS_VISIBLE | style);
    Dword(0);
    for (const short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(atom);
    Text(text);
    words_.push_back(0);  // no creation data
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Dword(DWORD d) {
    words_.push_back(LOWORD(d));
    words_.push_back(HIWORD(d));
  }
  void Text(const std::wstring& s) {
    for (const wchar_t c : s) words_.push_back(static_cast<WORD>(c));
    words_.push_back(0);
  }

  std::vector<WORD> words_;
};

INT_PTR CALLBACK BoxProc(HWND box, UINT msg, WPARAM wp, LPARAM lp) {
  auto* text = reinterpret_cast<std::wstring*>(GetWindowLongPtrW(box, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(box, DWLP_USER, lp);
      HWND edit = GetDlgItem(box, kEditId);
      SetWindowTextW(edit, reinterpret_cast<std::wstring*>(lp)->c_str());
      SendMessageW(edit, EM_SETSEL, 0, -1);
      SetFocus(edit);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK) {
        HWND edit = GetDlgItem(box, kEditId);
        text->assign(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        GetWindowTextW(edit, text->data(), static_cast<int>(text->size()));
        text->resize(text->size() - 1);
      }
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        EndDialog(box, LOWORD(wp));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

std::optional<std::wstring> AskTextBox(HWND owner, const std::wstring& title,
                                       const std::wstring& prompt, const std::wstring& text) {
  const short editTop = kMargin + kPromptHeight + 4, buttonTop = editTop + 20;
  DialogTemplate t(title, buttonTop + 14 + kMargin, 4);
  const short inner = kWidth - 2 * kMargin;
  t.Item(SS_LEFT, kMargin, kMargin, inner, kPromptHeight, 0xFFFF, kStaticAtom, prompt);
  t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kMargin, editTop, inner, 14, kEditId, kEditAtom,
         L"");
  t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, kWidth - kMargin - 2 * kButtonWidth - 4, buttonTop,
         kButtonWidth, 14, IDOK, kButtonAtom, L"OK");
  t.Item(BS_PUSHBUTTON | WS_TABSTOP, kWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, 14,
         IDCANCEL, kButtonAtom, L"キャンセル");
  std::wstring answer = text;
  const INT_PTR chosen = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner,
                                                 &BoxProc, reinterpret_cast<LPARAM>(&answer));
  if (chosen != IDOK) return std::nullopt;
  return answer;
}
