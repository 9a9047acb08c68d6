// horune.exe: the program the host starts. Its own path (by the wide API,
// so a Japanese folder name works) fixes where JWC_TEMP.TXT and the
// settings file lie.
#include <filesystem>
#include <string>

#include "ui/win32/escape_win32.h"
#include "ui/win32/mainwindow.h"

namespace {

std::filesystem::path ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  InstallWin32EscapeQuery();
  MainWindow window(instance, ProgramPath());
  return window.Run(show);
}
