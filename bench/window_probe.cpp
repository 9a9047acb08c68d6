// The window's share of a session on a large drawing, on Linux: the drive
// of support/windowprobe.h on the program's own Qt window, watched from its
// event loop.
//
//   window_probe FOLDER [PICTURE]
//
// With PICTURE, the window as it shows the first complete picture is also
// saved there as a PNG. Prints the figures of support/windowprobe.h.
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWheelEvent>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>

#include "support/windowprobe.h"
#include "ui/qt/escape_x11.h"
#include "ui/qt/mainwindow.h"
#include "ui/qt/previewbox.h"
#include "ui/qt/translations.h"

namespace {

using Clock = WindowProbe::Clock;

// How long the process had run when main began, from its start time in the
// kernel's ticks since boot.
double SecondsBeforeMain() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // The fields after the command's closing parenthesis; the start time is the
  // 22nd field of the line, the 20th after it (the state is the 3rd).
  std::istringstream rest(text.substr(text.rfind(')') + 2));
  std::string field;
  for (int i = 0; i < 19; ++i) rest >> field;
  unsigned long long startTicks = 0;
  rest >> startTicks;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double boot = static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
  return boot - static_cast<double>(startTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Watches the window from the event loop: a timer of no delay fires each
// time the loop turns, so the gaps between its firings are the times the
// window did not answer.
class Probe : public QObject, public WindowProbe {
 public:
  Probe(MainWindow& window, double beforeMain, Clock::time_point mainAt, QString picture)
      : WindowProbe(window.Form(), beforeMain, mainAt),
        window_(window),
        picture_(std::move(picture)) {
    WindowMade(Clock::now());
    qApp->installEventFilter(this);
    connect(&tick_, &QTimer::timeout, this, [this] {
      const Clock::time_point now = Clock::now();
      Turned(now, true);
      Look(now);
    });
    tick_.start(0);
  }

 protected:
  // Sees the notch and the key before the window does, for the time they
  // reach it.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Wheel || event->type() == QEvent::KeyPress) {
      Delivered(Clock::now());
    }
    return QObject::eventFilter(watched, event);
  }

  double CpuSeconds() const override {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  }

  Size PreviewSize() const override {
    return {window_.PaintBox1->width(), window_.PaintBox1->height()};
  }

  void FirstPicture() override {
    if (!picture_.isEmpty()) window_.grab().save(picture_);
  }

  // The events are made now, in the window's thread, and posted later.
  std::function<void()> WheelNotch() override {
    PreviewBox* box = window_.PaintBox1;
    const QPointF centre(box->width() / 2.0, box->height() / 2.0);
    return Post(box, new QWheelEvent(centre, box->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false));
  }

  std::function<void()> EscPress() override {
    return Post(QApplication::focusWidget(),
                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  }

  double PeakMegabytes() const override {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
  }

  void Quit() override { QCoreApplication::exit(0); }

 private:
  static std::function<void()> Post(QObject* target, QEvent* event) {
    return [target, event] { QCoreApplication::postEvent(target, event); };
  }

  MainWindow& window_;
  QString picture_;
  QTimer tick_;
};

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point mainAt = Clock::now();
  const double beforeMain = SecondsBeforeMain();
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: window_probe FOLDER [PICTURE]\n");
    return 2;
  }
  QApplication app(argc, argv);
  InstallJapaneseTranslations(app);
  InstallEscapeQuery();
  MainWindow window(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/horune"));
  // At the bounds of the folder's settings file, as the program shows it.
  window.show();
  window.activateWindow();
  Probe probe(window, beforeMain, mainAt, argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString());
  return QApplication::exec();
}
