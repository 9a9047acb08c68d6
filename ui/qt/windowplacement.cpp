// Where a window with kept bounds is placed, and how large it may be.
#include "ui/qt/windowplacement.h"

#include <algorithm>
#include <cstdint>

namespace {

// Length of the overlap of [a, a + n) and [b, b + m), in 64 bits so that
// bounds near the ends of the int range cannot overflow.
int64_t Overlap(int64_t a, int64_t n, int64_t b, int64_t m) {
  return std::max<int64_t>(0, std::min(a + n, b + m) - std::max(a, b));
}

}  // namespace

QPoint VisibleWindowPos(QPoint pos, QSize size, const QList<QRect>& screens, const QRect& primary) {
  const bool visible = std::any_of(screens.begin(), screens.end(), [&](const QRect& s) {
    return Overlap(pos.x(), size.width(), s.x(), s.width()) >= kMinVisibleWidth &&
           Overlap(pos.y(), size.height(), s.y(), s.height()) >= kMinVisibleHeight;
  });
  return visible ? pos : primary.topLeft();
}

QSize VisibleWindowSize(QSize size, const QList<QRect>& screens) {
  QRect desktop;
  for (const QRect& s : screens) desktop |= s;
  return size.boundedTo(desktop.size());
}
