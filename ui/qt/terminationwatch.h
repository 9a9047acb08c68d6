// Turns a termination request (SIGTERM at logout or from a process manager,
// SIGHUP when the terminal goes, SIGINT from Ctrl+C) into a Qt signal on the
// user-interface thread, so the window closes as by its close box and the
// host still gets its answer. The signal handler only writes one byte into a
// pipe; a socket notifier reads it in the event loop. One watch at a time.
#pragma once

#include <QObject>

class QSocketNotifier;

class TerminationWatch : public QObject {
  Q_OBJECT

 public:
  explicit TerminationWatch(QObject* parent = nullptr);
  // Gives the signals back to their default handling.
  ~TerminationWatch() override;

 signals:
  void terminationRequested();

 private:
  void Drain();

  int pipe_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
};
