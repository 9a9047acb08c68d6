// The window's share of a session on a large drawing: the program's own
// window on a program folder whose JWC_TEMP.TXT bench/scale.sh generated,
// driven as a user would while the event loop runs, and timed.
//
//   window_probe FOLDER [PICTURE]
//
// With PICTURE, the window as it shows the first complete picture is also
// saved there as a PNG.
//
// Prints, one figure a line ("name value", seconds unless named otherwise):
//   main_begins         from the process's start to main (the system's own
//                       start of a program: Wine's, under Wine)
//   window_made         from the process's start to the window made and shown
//                       (the host's drawing read)
//   first_picture       from the process's start to the first complete picture
//   first_picture_cpu   the CPU time the process had used by then, all its
//                       threads (on a busy machine the steadier figure)
//   longest_block       the longest the window went without answering in that
//                       first redraw
//   first_slices        how many slices the first redraw took
//   first_redraws       how many redraws began before the first complete
//                       picture
//   preview_width       the preview's size then, in pixels
//   preview_height
//   wheel_answered      from a wheel notch, sent while a fitted redraw is under
//                       way, to the window taking it
//   notch_fitted        from that notch to the complete picture of the new view
//   esc_answered        from Esc, pressed while a fitted redraw is under way, to
//                       the redraw stopped with its partial picture kept
//   peak_mb             the program's peak resident memory
// The notch and the key come from another thread at a set time, as the
// window system would deliver them, whatever the window is doing then.
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWheelEvent>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>

#include "app/tform1.h"
#include "preview/gval.h"
#include "ui/qt/escape_x11.h"
#include "ui/qt/mainwindow.h"
#include "ui/qt/previewbox.h"
#include "ui/qt/translations.h"

namespace {

using Clock = std::chrono::steady_clock;

// How long into a redraw the notch and the key come.
constexpr auto kSendAfter = std::chrono::milliseconds(150);

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

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

// The CPU time the process has used, all its threads.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void Print(const char* name, double value) {
  std::printf("%s %.4f\n", name, value);
  std::fflush(stdout);
}

// Watches the window from the event loop: a timer of no delay fires each
// time the loop turns, so the gaps between its firings are the times the
// window did not answer. The steps of the drive follow one another there.
class Probe : public QObject {
 public:
  // mainAt: when main began; beforeMain: how long the process had run then.
  Probe(MainWindow& window, double beforeMain, Clock::time_point mainAt, QString picture)
      : window_(window),
        form_(window.Form()),
        beforeMain_(beforeMain),
        mainAt_(mainAt),
        picture_(std::move(picture)) {
    Print("main_begins", beforeMain_);
    Print("window_made", beforeMain_ + Seconds(Clock::now() - mainAt_));
    qApp->installEventFilter(this);
    connect(&tick_, &QTimer::timeout, this, [this] { Tick(); });
    tick_.start(0);
  }
  ~Probe() override {
    if (sender_.joinable()) sender_.join();
  }

 protected:
  // Sees the notch and the key before the window does, for the time they
  // reach it.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if ((event->type() == QEvent::Wheel || event->type() == QEvent::KeyPress) &&
        deliveredAt_ == Clock::time_point{}) {
      deliveredAt_ = Clock::now();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  enum class Step { FirstPicture, Notch, NotchPicture, Esc, Done };

  bool Drawn() const { return form_.Preview.ViewBitmap && !form_.Preview.RedrawPending(); }

  void Tick() {
    const Clock::time_point now = Clock::now();
    if (form_.Preview.RedrawPending() && lastTick_ != Clock::time_point{}) {
      longestBlock_ = std::max(longestBlock_, now - lastTick_);

      ++slices_;
    }
    lastTick_ = now;
    switch (step_) {
      case Step::FirstPicture:
        if (!Drawn()) return;
        Print("first_picture", beforeMain_ + Seconds(now - mainAt_));
        Print("first_picture_cpu", CpuSeconds());
        Print("longest_block", Seconds(longestBlock_));
        Print("first_slices", slices_ + 1);
        Print("first_redraws", form_.Preview.RedrawsBegun);
        Print("preview_width", window_.PaintBox1->width());
        Print("preview_height", window_.PaintBox1->height());
        if (!picture_.isEmpty()) window_.grab().save(picture_);
        StartFittedRedraw();
        SendLater([this] {
          PreviewBox* box = window_.PaintBox1;
          const QPointF centre(box->width() / 2.0, box->height() / 2.0);
          return std::make_pair<QObject*, QEvent*>(
              box, new QWheelEvent(centre, box->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false));
        });
        step_ = Step::Notch;
        return;
      case Step::Notch:
        if (deliveredAt_ == Clock::time_point{}) return;
        Print("wheel_answered", Seconds(deliveredAt_ - sentAt_.load()));
        step_ = Step::NotchPicture;
        return;
      case Step::NotchPicture:
        if (!Drawn()) return;
        Print("notch_fitted", Seconds(now - deliveredAt_));
        StartFittedRedraw();
        SendLater([] {
          QWidget* focus = QApplication::focusWidget();
          return std::make_pair<QObject*, QEvent*>(
              focus, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        });
        step_ = Step::Esc;
        return;
      case Step::Esc:
        if (deliveredAt_ == Clock::time_point{} || form_.Preview.RedrawPending()) return;
        Print("esc_answered", Seconds(now - sentAt_.load()));
        Finish();
        return;
      case Step::Done:
        return;
    }
  }

  // A fitted redraw of the whole drawing, as Home starts it.
  void StartFittedRedraw() {
    form_.Preview.FormKeyDown(NavKey::Home, false);
    deliveredAt_ = {};
  }

  // Posts the event made by make (in the window's thread, now) from another
  // thread once kSendAfter has passed.
  void SendLater(const std::function<std::pair<QObject*, QEvent*>()>& make) {
    const auto [target, event] = make();
    if (sender_.joinable()) sender_.join();
    sender_ = std::thread([this, target, event] {
      std::this_thread::sleep_for(kSendAfter);
      sentAt_ = Clock::now();
      QCoreApplication::postEvent(target, event);
    });
  }

  void Finish() {
    step_ = Step::Done;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    Print("peak_mb", static_cast<double>(usage.ru_maxrss) / 1024.0);
    QCoreApplication::exit(0);
  }

  MainWindow& window_;
  TForm1& form_;
  double beforeMain_;
  Clock::time_point mainAt_;
  QString picture_;
  QTimer tick_;
  Step step_ = Step::FirstPicture;
  Clock::time_point lastTick_;
  Clock::duration longestBlock_{};
  int slices_ = 0;
  std::thread sender_;
  std::atomic<Clock::time_point> sentAt_{};
  Clock::time_point deliveredAt_;
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
