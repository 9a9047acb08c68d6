// A raster canvas's pixels read back, for tests that compare pictures.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "raster/rastercanvas.h"

inline uint32_t PixelWord(const RasterCanvas& canvas, int x, int y) {
  const PixelBuffer& p = canvas.Pixels();
  return p.Bits[static_cast<int64_t>(y) * p.Stride + x];
}

// The pixel as a colour, alpha left out.
inline TColor PixelAt(const RasterCanvas& canvas, int x, int y) {
  const uint32_t p = PixelWord(canvas, x, y);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// The pixels of a part of the canvas, 0xAARRGGBB by rows: two pictures are
// the same when these are.
inline std::vector<uint32_t> PixelsOf(const RasterCanvas& canvas, int left, int top, int width,
                                      int height) {
  std::vector<uint32_t> out;
  out.reserve(static_cast<size_t>(width) * height);
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) out.push_back(PixelWord(canvas, x, y));
  }
  return out;
}
inline std::vector<uint32_t> PixelsOf(const RasterCanvas& canvas) {
  return PixelsOf(canvas, 0, 0, canvas.Width(), canvas.Height());
}

// How far apart two canvases of the same size are: the most any colour
// channel of any pixel differs.
inline int MostChannelDifference(const RasterCanvas& a, const RasterCanvas& b) {
  int most = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const uint32_t p = PixelWord(a, x, y);
      const uint32_t q = PixelWord(b, x, y);
      for (int shift = 0; shift < 24; shift += 8) {
        most = std::max(most, std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                       static_cast<int>((q >> shift) & 0xFF)));
      }
    }
  }
  return most;
}
