// What the preview takes from the mouse and the keyboard: the buttons held,
// the navigation keys, and the rubber band's corners.
#pragma once

#include <cstdint>

// Mouse buttons as MouseFlags holds them.
inline constexpr uint8_t kMouseLeft = 1;
inline constexpr uint8_t kMouseRight = 2;
inline constexpr uint8_t kMouseMiddle = 4;

// The keys FormKeyDown may act on; a front end passes no others.
enum class NavKey : uint8_t { PageUp, PageDown, End, Insert, Home, Left, Right, Up, Down };

// Rubber-band corners in paint-box pixels.
struct TBandRect {
  int32_t X1 = 0;
  int32_t Y1 = 0;
  int32_t X2 = 0;
  int32_t Y2 = 0;
};
