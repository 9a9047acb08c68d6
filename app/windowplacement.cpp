// Where a window with kept bounds is placed, and how large it may be.
#include "app/windowplacement.h"

#include <algorithm>
#include <cstdint>

#include "app/formcontrols.h"
#include "exchange/tablefile.h"

namespace {

// Length of the overlap of [a, a + n) and [b, b + m), in 64 bits so that
// bounds near the ends of the int range cannot overflow.
int64_t Overlap(int64_t a, int64_t n, int64_t b, int64_t m) {
  return std::max<int64_t>(0, std::min(a + n, b + m) - std::max(a, b));
}

}  // namespace

TBounds VisibleWindowBounds(const TBounds& kept, std::span<const TBounds> screens,
                            const TBounds& primary) {
  int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
  for (const TBounds& s : screens) {
    left = std::min<int64_t>(left, s.Left);
    top = std::min<int64_t>(top, s.Top);
    right = std::max<int64_t>(right, int64_t{s.Left} + s.Width);
    bottom = std::max<int64_t>(bottom, int64_t{s.Top} + s.Height);
  }
  TBounds b = kept;
  if (!screens.empty()) {
    b.Width = static_cast<int32_t>(std::min<int64_t>(b.Width, right - left));
    b.Height = static_cast<int32_t>(std::min<int64_t>(b.Height, bottom - top));
  }
  const bool visible = std::any_of(screens.begin(), screens.end(), [&](const TBounds& s) {
    return Overlap(b.Left, b.Width, s.Left, s.Width) >= kMinVisibleWidth &&
           Overlap(b.Top, b.Height, s.Top, s.Height) >= kMinVisibleHeight;
  });
  if (!visible) {
    b.Left = primary.Left;
    b.Top = primary.Top;
  }
  return b;
}

int32_t MinWindowWidth(double scale) {
  return Scaled(kMinWinWidth, scale);
}

int32_t MinWindowHeight(double scale) {
  return Scaled(kMinWinHeight, scale);
}

TBounds ScaledWindowBounds(const TBounds& kept, double scale) {
  TBounds b = kept;
  if (b.Width == kDefaultWinSide && b.Height == kDefaultWinSide) {
    b.Width = b.Height = Scaled(kDefaultWinSide, scale);
  }
  b.Width = std::max(b.Width, MinWindowWidth(scale));
  b.Height = std::max(b.Height, MinWindowHeight(scale));
  return b;
}
