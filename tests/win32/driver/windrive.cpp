// Does to horune's window what X cannot: turns the wheel by a touchpad's
// small deltas (X has whole notches only), clicks a control by its id (no
// window manager here tells where a child control lies), and is another
// program for a while: it takes the foreground, then hands it back to
// horune as a click on horune's task bar button would.
// Tells where a control lies in the client area and its size, as a person
// sees it: "left top right bottom width height".
// Types as an input method does, its characters as WM_IME_CHAR to the
// control with the focus (X's keyboard has no full-width keys to press).
// Usage: windrive.exe wheel delta count | click control-id | away ms |
//        where control-id | ime text
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  HWND form = FindWindowW(L"HoruneForm", nullptr);
  if (form == nullptr) return 1;
  const std::wstring verb = argv[1];
  if (verb == L"click") {
    HWND control = GetDlgItem(form, std::wcstol(argv[2], nullptr, 10));
    if (control == nullptr) return 1;
    // Posted: the click may open a box that waits for its own answer.
    PostMessageW(control, BM_CLICK, 0, 0);
    return 0;
  }
  if (verb == L"ime") {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info);
    for (const wchar_t* c = argv[2]; *c != L'\0'; ++c)
      PostMessageW(info.hwndFocus, WM_IME_CHAR, *c, 1);
    return 0;
  }
  if (verb == L"where") {
    HWND control = GetDlgItem(form, std::wcstol(argv[2], nullptr, 10));
    if (control == nullptr) return 1;
    RECT r;
    RECT client;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    GetClientRect(form, &client);
    std::printf("%ld %ld %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom, client.right,
                client.bottom);
    return 0;
  }
  if (verb == L"away") {
    HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 900, 600, 200, 120, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    const DWORD until = GetTickCount() + std::wcstoul(argv[2], nullptr, 10);
    MSG msg;
    while (GetTickCount() < until) {
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(10);
    }
    SetForegroundWindow(form);
    DestroyWindow(other);
    return 0;
  }
  if (verb != L"wheel" || argc != 4) return 2;
  const int delta = std::wcstol(argv[2], nullptr, 10);
  const int count = std::wcstol(argv[3], nullptr, 10);
  HWND preview = FindWindowExW(form, nullptr, L"HorunePreview", nullptr);
  if (preview == nullptr) return 1;
  RECT r;
  GetWindowRect(preview, &r);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  const WPARAM turn = MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta)));
  for (int i = 0; i < count; ++i) PostMessageW(form, WM_MOUSEWHEEL, turn, at);
  return 0;
}
