// The self-pipe between the termination signals and the event loop.
#include "ui/qt/terminationwatch.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>

namespace {

constexpr std::array kWatched = {SIGTERM, SIGHUP, SIGINT};

// The write end of the pipe, for the handler; -1 while no watch exists.
volatile sig_atomic_t writeEnd = -1;

void OnSignal(int /*signal*/) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe already holds a pending request, so a failed write loses nothing.
  [[maybe_unused]] const ssize_t n = write(writeEnd, &byte, 1);
  errno = saved;
}

void Handle(void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : kWatched) sigaction(s, &action, nullptr);
}

}  // namespace

TerminationWatch::TerminationWatch(QObject* parent) : QObject(parent) {
  if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  writeEnd = pipe_[1];
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationWatch::Drain);
  Handle(OnSignal);
}

TerminationWatch::~TerminationWatch() {
  if (pipe_[0] < 0) return;
  Handle(SIG_DFL);
  writeEnd = -1;
  delete notifier_;
  close(pipe_[0]);
  close(pipe_[1]);
}

void TerminationWatch::Drain() {
  char bytes[16];
  while (read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
  emit terminationRequested();
}
