// What every glyph source shares: the vertical faces' cell and the trimming
// of coverage an engine drew into a buffer of its own.
#include "raster/glyphsource.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

Affine VerticalInCell(double advance, double height) {
  if (!(advance > 0 && height > 0)) return {};
  return Affine::Translation(-advance / 2, -height / 2)
      .Then(Affine{height / advance, 0, 0, advance / height, 0, 0})
      .Then(Affine::Rotation(-90))
      .Then(Affine::Translation(advance / 2, height / 2));
}

CoverageMask TrimmedCoverage(const uint8_t* pixels, int stride, int width, int height, int left,
                             int top, int rowQuantum) {
  int x0 = width, x1 = 0, y0 = height, y1 = 0;
  for (int row = 0; row < height; ++row) {
    const uint8_t* line = pixels + static_cast<ptrdiff_t>(row) * stride;
    int first = 0;
    while (first < width && line[first] == 0) ++first;
    if (first == width) continue;
    int last = width;
    while (line[last - 1] == 0) --last;
    x0 = std::min(x0, first);
    x1 = std::max(x1, last);
    y0 = std::min(y0, row);
    y1 = row + 1;
  }
  CoverageMask mask;
  const int touched = std::max(0, x1 - x0);
  mask.Left = left + x0;
  mask.Top = top + y0;
  mask.Width = PaddedWidth(touched, rowQuantum);
  mask.Height = std::max(0, y1 - y0);
  mask.Alpha.assign(static_cast<size_t>(mask.Width) * mask.Height, 0);
  for (int row = 0; row < mask.Height; ++row) {
    std::memcpy(mask.Alpha.data() + static_cast<size_t>(row) * mask.Width,
                pixels + static_cast<ptrdiff_t>(y0 + row) * stride + x0,
                static_cast<size_t>(touched));
  }
  return mask;
}
