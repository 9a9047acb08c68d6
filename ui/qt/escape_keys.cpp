// The Esc-key state followed from Qt's key events, for a build without X11:
// it changes only when the event loop runs, so a long write that never
// returns to the loop does not see a press; the sliced redraw does, as it
// returns to the loop between slices.
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <atomic>

#include "common/escape.h"
#include "ui/qt/escape_x11.h"

namespace {

// Outlives the application, and a layer's thread may ask.
std::atomic<bool> held{false};

// Watches every event of the application; it never consumes one.
class EscapeWatch final : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Escape && !key->isAutoRepeat()) held = type == QEvent::KeyPress;
    } else if (type == QEvent::ApplicationDeactivate) {
      // A release in another window never reaches this one.
      held = false;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void InstallEscapeQuery() {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return;
  auto* watch = new EscapeWatch;
  watch->setParent(app);
  app->installEventFilter(watch);
  SetEscapeQuery([] { return held.load(); });
}
