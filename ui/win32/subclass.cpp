// The handler and the base procedure live in a window property. A handler
// may destroy its own window, or unsubclass it, while it runs: the record
// then goes when the outermost call of the handler has returned.
#include "ui/win32/subclass.h"

#include <utility>

namespace {

const wchar_t kProperty[] = L"HoruneSubclass";

struct Hook {
  WNDPROC base = nullptr;
  WindowHandler handle;
  int running = 0;  // calls of handle under way
  bool detached = false;
};

Hook* HookOf(HWND window) {
  return static_cast<Hook*>(GetPropW(window, kProperty));
}

LRESULT CALLBACK HookProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  Hook* hook = HookOf(window);
  if (hook == nullptr) return DefWindowProcW(window, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    const WNDPROC base = hook->base;
    Unsubclass(window);
    return CallWindowProcW(base, window, msg, wp, lp);
  }
  ++hook->running;
  const LRESULT result = hook->handle(window, msg, wp, lp);
  if (--hook->running == 0 && hook->detached) delete hook;
  return result;
}

}  // namespace

void Subclass(HWND window, WindowHandler handle) {
  auto* hook = new Hook{nullptr, std::move(handle)};
  SetPropW(window, kProperty, hook);
  hook->base = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProc)));
}

void Unsubclass(HWND window) {
  Hook* hook = HookOf(window);
  if (hook == nullptr) return;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook->base));
  RemovePropW(window, kProperty);
  hook->detached = true;
  if (hook->running == 0) delete hook;
}

WNDPROC BaseProc(HWND window) {
  const Hook* hook = HookOf(window);
  return hook != nullptr ? hook->base
                         : reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}

LRESULT CallBaseProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  // A window its handler destroyed has no procedure left to pass on to.
  const WNDPROC base = BaseProc(window);
  return base != nullptr ? CallWindowProcW(base, window, msg, wp, lp) : 0;
}
