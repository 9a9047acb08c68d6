// Asks the X server's keymap for Esc, at most once every few milliseconds;
// off an X server the query is not installed.
#include "ui/qt/escape_x11.h"

// Qt's headers must come before Xlib's, whose macros (Status, Bool) they
// refuse.
// clang-format off
#include <QGuiApplication>
#include <X11/Xlib.h>
#include <X11/keysym.h>
// clang-format on

#include <chrono>

#include "common/escape.h"

namespace {

using Clock = std::chrono::steady_clock;

// A keymap query is a round trip to the X server, and the renderer asks
// every tenth drawn record; a state younger than this is answered again.
constexpr auto kFreshFor = std::chrono::milliseconds(15);

// The display stays open for the run, so a poll never opens a connection.
struct KeyboardConnection {
  Display* Dpy = nullptr;
  KeyCode Escape = 0;
  bool Held = false;
  Clock::time_point AskedAt;
  ~KeyboardConnection() {
    if (Dpy != nullptr) XCloseDisplay(Dpy);
  }
};

KeyboardConnection& Connection() {
  static KeyboardConnection connection;
  return connection;
}

bool EscapeHeld() {
  KeyboardConnection& c = Connection();
  Clock::time_point now = Clock::now();
  if (now - c.AskedAt >= kFreshFor) {
    char keys[32];
    XQueryKeymap(c.Dpy, keys);
    c.Held = (keys[c.Escape / 8] & (1 << (c.Escape % 8))) != 0;
    c.AskedAt = now;
  }
  return c.Held;
}

// Only a window on an X server has an X keyboard to ask; the offscreen
// platform of the tests has none, even where a display happens to be set.
bool OnXServer() {
  return QGuiApplication::instance() == nullptr ||
         QGuiApplication::platformName() == QLatin1String("xcb");
}

}  // namespace

void InstallEscapeQuery() {
  if (!OnXServer()) return;
  KeyboardConnection& c = Connection();
  if (c.Dpy == nullptr) c.Dpy = XOpenDisplay(nullptr);
  if (c.Dpy == nullptr) return;
  c.Escape = XKeysymToKeycode(c.Dpy, XK_Escape);
  if (c.Escape == 0) return;
  c.AskedAt = Clock::now() - kFreshFor;
  SetEscapeQuery(EscapeHeld);
}
