// Refusing typed or pasted text that Shift-JIS cannot hold.
#include "ui/win32/sjisinput.h"

#include <algorithm>
#include <string>

#include "app/formcontrols.h"
#include "common/sjis.h"

std::string Utf8FromWide(const std::wstring& wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(std::max(n, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                      nullptr, nullptr);
  return utf8;
}

namespace {

std::wstring WideFromUtf8(const std::string& utf8) {
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(n, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

}  // namespace

std::wstring HalfWidthText(const std::wstring& text) {
  return WideFromUtf8(HalfWidthNumerals(Utf8FromWide(text)));
}

bool HalfWidthInput(HWND edit, WNDPROC base, UINT msg, WPARAM wp, LPARAM lp) {
  // An input method's characters come as WM_IME_CHAR, which an EDIT takes
  // without a WM_CHAR.
  if ((msg == WM_CHAR || msg == WM_IME_CHAR) && wp >= L' ') {
    const std::wstring half = HalfWidthText(std::wstring(1, static_cast<wchar_t>(wp)));
    if (half.size() != 1 || half[0] == static_cast<wchar_t>(wp)) return false;
    CallWindowProcW(base, edit, WM_CHAR, half[0], lp);
    return true;
  }
  if (msg != WM_PASTE) return false;
  const std::wstring text = ClipboardWide(edit);
  std::wstring half = HalfWidthText(text);
  if (half == text) return false;
  // A one-line edit takes the clipboard's first line, as its own paste does.
  half = half.substr(0, half.find_first_of(L"\r\n"));
  CallWindowProcW(base, edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(half.c_str()));
  return true;
}

std::wstring ClipboardWide(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool SjisInputRefused(HWND edit, UINT msg, WPARAM wp) {
  std::wstring text;
  if ((msg == WM_CHAR || msg == WM_IME_CHAR) && wp >= L' ') {
    // Half of a surrogate pair is never Shift-JIS: both halves are refused.
    text.assign(1, static_cast<wchar_t>(wp));
  } else if (msg == WM_PASTE) {
    text = ClipboardWide(edit);
  } else {
    return false;
  }
  if (ControlTakesText(Utf8FromWide(text))) return false;
  MessageBeep(MB_OK);
  return true;
}
