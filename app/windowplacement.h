// Where a window goes whose bounds were kept from an earlier run: where it
// was, unless that is no longer on any screen (a monitor was removed, the
// resolution dropped); then at the top left of the primary screen, so the
// window can always be seen and moved. Its size is held to the desktop.
// Screens are their work areas (without the task bar), as each front end's
// system reports them.
#pragma once

#include <cstdint>
#include <span>

#include "app/frontend.h"

// A window counts as visible when at least this much of it lies on one
// screen: enough to see it and to grab it.
inline constexpr int kMinVisibleWidth = 100;
inline constexpr int kMinVisibleHeight = 50;

// The bounds to show a window kept at `kept` with: its size cut to the
// bounding box of the screens (a window no screen can show has no use, and a
// kept size of millions of pixels would not even get a picture to draw
// into), its place kept when the window is visible on one of the screens,
// otherwise primary's top left. Any int is accepted, however far off.
TBounds VisibleWindowBounds(const TBounds& kept, std::span<const TBounds> screens,
                            const TBounds& primary);

// The window's least size on a screen of the scale (dots per inch / 96):
// 475 x 200 are pixels at 96 dpi, and a window of that many pixels on a
// denser screen has no room for its controls.
int32_t MinWindowWidth(double scale);
int32_t MinWindowHeight(double scale);

// The size to open a window at on a screen of the scale, from the size the
// settings file keeps (which holds the window's pixels as they were): the
// designed first window, 475 x 475, which a missing settings file leaves,
// is 96 dpi pixels and grows with the density; any size is held to the
// least size there. The place is kept.
TBounds ScaledWindowBounds(const TBounds& kept, double scale);
