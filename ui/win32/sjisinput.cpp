// Refusing typed or pasted text that Shift-JIS cannot hold.
#include "ui/win32/sjisinput.h"

#include <algorithm>
#include <string>

#include "app/formcontrols.h"
#include "common/sjis.h"

namespace {

std::string Utf8FromWide(const std::wstring& wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(std::max(n, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                      nullptr, nullptr);
  return utf8;
}

}  // namespace

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
  if (msg == WM_CHAR && wp >= L' ') {
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
