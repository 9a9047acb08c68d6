// Coverage by signed-area accumulation over a buffer of the outline's
// bounds, one spare column to the right for the edges' last spill.
#include "ui/qt/coverage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "common/simd.h"

namespace {

// A tenth of a unit, as the squared bound the subdivision count is taken from.
constexpr double kTolerance = 0.1;
constexpr int kMaxCurvePieces = 64;

void AddCubic(std::vector<QPointF>& points, QPointF p0, QPointF p1, QPointF p2, QPointF p3) {
  // A cubic cut into n even pieces strays from its chords by at most 3/4 of
  // its largest second difference over n squared.
  const QPointF d1 = p0 - 2 * p1 + p2;
  const QPointF d2 = p1 - 2 * p2 + p3;
  const double dd = std::max(std::hypot(d1.x(), d1.y()), std::hypot(d2.x(), d2.y()));
  const int n = std::clamp(static_cast<int>(std::ceil(std::sqrt(0.75 * dd / kTolerance))), 1,
                           kMaxCurvePieces);
  for (int i = 1; i <= n; ++i) {
    const double t = static_cast<double>(i) / n;
    const double u = 1 - t;
    points.push_back(u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3);
  }
}

// A point of an edge in the accumulation buffer's own pixels.
struct EdgePoint {
  float X, Y;
};

// Floor and ceiling of a value that is not negative, by the conversion's own
// truncation rather than a call.
int FloorOf(float v) {
  return static_cast<int>(v);
}
int CeilOf(float v) {
  const int i = static_cast<int>(v);
  return i + (static_cast<float>(i) < v ? 1 : 0);
}

// Adds the signed area the edge sweeps in each pixel it crosses; rows are
// `width` cells apart, the edge lies within [0, width - 2] across and
// within [0, height] down. Single precision is ample for a glyph's few
// hundred pixels and twice as quick through the row loop.
void AccumulateEdge(float* acc, int width, int height, EdgePoint a, EdgePoint b) {
  if (a.Y == b.Y) return;
  const float dir = a.Y < b.Y ? 1.0f : -1.0f;
  if (dir < 0) std::swap(a, b);
  const float dxdy = (b.X - a.X) / (b.Y - a.Y);
  const int rowFirst = FloorOf(a.Y);
  const int rowEnd = std::min(height, CeilOf(b.Y));
  float* line = acc + static_cast<size_t>(rowFirst) * width;
  float x = a.X;
  float top = a.Y;
  float rowBottom = static_cast<float>(rowFirst + 1);
  for (int row = rowFirst; row < rowEnd; ++row, line += width, rowBottom += 1.0f) {
    const float bottom = std::min(rowBottom, b.Y);
    const float dy = bottom - top;
    top = bottom;
    // From the edge's start, not the last row's end: a sum of thousands of
    // steps would stray from the edge, and past the buffer.
    const float xNext = a.X + (bottom - a.Y) * dxdy;
    const float d = dy * dir;
    const float x0 = std::max(0.0f, std::min(x, xNext));
    const float x1 = std::max(x, xNext);
    const int x0i = FloorOf(x0);
    const float x0floor = static_cast<float>(x0i);
    const int x1i = CeilOf(x1);
    if (x1i <= x0i + 1) {
      // Within one pixel: the part right of the edge's middle is covered.
      const float right = d * (0.5f * (x + xNext) - x0floor);
      line[x0i] += d - right;
      line[x0i + 1] += right;
    } else {
      // Across several pixels: the area under the edge, pixel by pixel.
      const float s = 1.0f / (x1 - x0);
      const float x0f = x0 - x0floor;
      const float a0 = 0.5f * s * (1 - x0f) * (1 - x0f);
      const float x1f = x1 - static_cast<float>(x1i) + 1;
      const float am = 0.5f * s * x1f * x1f;
      line[x0i] += d * a0;
      if (x1i == x0i + 2) {
        line[x0i + 1] += d * (1 - a0 - am);
      } else {
        const float a1 = s * (1.5f - x0f);
        line[x0i + 1] += d * (a1 - a0);
        const float ds = d * s;
        for (int i = x0i + 2; i < x1i - 1; ++i) line[i] += ds;
        const float a2 = a1 + static_cast<float>(x1i - x0i - 3) * s;
        line[x1i - 1] += d * (1 - a2 - am);
      }
      line[x1i] += d * am;
    }
    x = xNext;
  }
}

uint8_t CoverageByte(float winding) {
  return static_cast<uint8_t>(std::min(std::abs(winding), 1.0f) * 255.0f + 0.5f);
}

// The running sum along a row of accumulated areas, as coverage bytes.
void RunningCoverage(const float* line, uint8_t* out, int count) {
  int x = 0;
  float sum = 0;
#if HORUNE_SSE2
  // Four at a time: the sum within the group in two shifted adds, then the
  // carry of the groups before; no branch, and a chain of one add a group.
  __m128 carry = _mm_setzero_ps();
  const __m128 one = _mm_set1_ps(1.0f);
  const __m128 scale = _mm_set1_ps(255.0f);
  const __m128 half = _mm_set1_ps(0.5f);
  const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
  for (; x + 4 <= count; x += 4) {
    __m128 v = _mm_loadu_ps(line + x);
    v = _mm_add_ps(v, _mm_castsi128_ps(_mm_slli_si128(_mm_castps_si128(v), 4)));
    v = _mm_add_ps(v, _mm_castsi128_ps(_mm_slli_si128(_mm_castps_si128(v), 8)));
    v = _mm_add_ps(v, carry);
    carry = _mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 3, 3, 3));
    const __m128 bytes =
        _mm_add_ps(_mm_mul_ps(_mm_min_ps(_mm_and_ps(v, magnitude), one), scale), half);
    const __m128i words = _mm_cvttps_epi32(bytes);
    const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(words, words), words);
    const int quad = _mm_cvtsi128_si32(packed);
    std::memcpy(out + x, &quad, sizeof quad);
  }
  sum = _mm_cvtss_f32(carry);
#endif
  for (; x < count; ++x) {
    sum += line[x];
    out[x] = CoverageByte(sum);
  }
}

}  // namespace

FlatOutline FlattenPath(const QPainterPath& path) {
  FlatOutline outline;
  std::vector<QPointF>& points = outline.Points;
  const auto closeContour = [&] {
    if (points.size() > (outline.ContourEnds.empty() ? 0 : outline.ContourEnds.back())) {
      outline.ContourEnds.push_back(static_cast<uint32_t>(points.size()));
    }
  };
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        closeContour();
        points.emplace_back(e.x, e.y);
        break;
      case QPainterPath::LineToElement:
        points.emplace_back(e.x, e.y);
        break;
      case QPainterPath::CurveToElement:
        if (i + 2 < path.elementCount() && !points.empty()) {
          const QPainterPath::Element c2 = path.elementAt(i + 1);
          const QPainterPath::Element end = path.elementAt(i + 2);
          AddCubic(points, points.back(), QPointF(e.x, e.y), QPointF(c2.x, c2.y),
                   QPointF(end.x, end.y));
          i += 2;
        }
        break;
      case QPainterPath::CurveToDataElement:
        break;
    }
  }
  closeContour();
  return outline;
}

CoverageMask FillCoverage(const FlatOutline& outline, const QTransform& transform, int rowQuantum) {
  CoverageMask mask;
  if (outline.Points.empty()) return mask;
  // Glyphs only turn, scale and move: the affine part of the transform.
  const double m11 = transform.m11(), m12 = transform.m12(), m21 = transform.m21(),
               m22 = transform.m22(), dx = transform.dx(), dy = transform.dy();
  std::vector<QPointF> mapped(outline.Points.size());
  double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  for (size_t i = 0; i < mapped.size(); ++i) {
    const QPointF& q = outline.Points[i];
    const double x = m11 * q.x() + m21 * q.y() + dx;
    const double y = m12 * q.x() + m22 * q.y() + dy;
    if (!std::isfinite(x) || !std::isfinite(y)) return mask;
    mapped[i] = QPointF(x, y);
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  // Bounds of 2^30 keep the corner's conversion to int defined.
  constexpr double kFar = 1 << 30;
  if (!(maxX - minX < kMaxCoverageSide && maxY - minY < kMaxCoverageSide && minX > -kFar &&
        maxX < kFar && minY > -kFar && maxY < kFar)) {
    return mask;
  }
  mask.Left = static_cast<int>(std::floor(minX));
  mask.Top = static_cast<int>(std::floor(minY));
  mask.Width = static_cast<int>(std::ceil(maxX)) - mask.Left;
  mask.Height = static_cast<int>(std::ceil(maxY)) - mask.Top;
  if (mask.Width <= 0 || mask.Height <= 0) return CoverageMask{};
  // Two spare columns: one for an edge on the right bound, one for its spill.
  const int width = mask.Width + 2;
  std::vector<float> acc(static_cast<size_t>(width) * mask.Height, 0.0f);
  // From the buffer's corner, held inside it against rounding.
  std::vector<EdgePoint> local(mapped.size());
  for (size_t i = 0; i < mapped.size(); ++i) {
    local[i] = {static_cast<float>(
                    std::clamp(mapped[i].x() - mask.Left, 0.0, static_cast<double>(mask.Width))),
                static_cast<float>(
                    std::clamp(mapped[i].y() - mask.Top, 0.0, static_cast<double>(mask.Height)))};
  }
  uint32_t begin = 0;
  for (uint32_t end : outline.ContourEnds) {
    for (uint32_t i = begin; i < end; ++i) {
      const uint32_t next = i + 1 < end ? i + 1 : begin;
      AccumulateEdge(acc.data(), width, mask.Height, local[i], local[next]);
    }
    begin = end;
  }
  const int covered = mask.Width;
  mask.Width = PaddedWidth(covered, rowQuantum);
  mask.Alpha.assign(static_cast<size_t>(mask.Width) * mask.Height, 0);
  for (int row = 0; row < mask.Height; ++row) {
    const float* line = acc.data() + static_cast<size_t>(row) * width;
    uint8_t* out = mask.Alpha.data() + static_cast<size_t>(row) * mask.Width;
    RunningCoverage(line, out, covered);
  }
  return mask;
}

CoverageMask QuarterTurned(const CoverageView& mask, int quarters, int rowQuantum) {
  // The columns the coverage reaches, the padding left out.
  const int height = mask.Height;
  int width = 0;
  for (int row = 0; row < height; ++row) {
    const uint8_t* line = mask.Alpha + static_cast<size_t>(row) * mask.Width;
    for (int x = mask.Width; x > width; --x) {
      if (line[x - 1] != 0) {
        width = x;
        break;
      }
    }
  }
  CoverageMask turned;
  if (width == 0) return turned;
  // A quarter turn takes pixel (x, y) to (y, -x - 1); an odd number of
  // them makes columns of the rows.
  quarters &= 3;
  const bool across = (quarters & 1) != 0;
  turned.Width = PaddedWidth(across ? height : width, rowQuantum);
  turned.Height = across ? width : height;
  turned.Alpha.assign(static_cast<size_t>(turned.Width) * turned.Height, 0);
  // Where the mask's first pixel lands, and how far a step along its row
  // and down its column moves in the turned one.
  const ptrdiff_t pitch = turned.Width;
  ptrdiff_t origin = 0, alongRow = 1, downColumn = pitch;
  switch (quarters) {
    case 1:
      turned.Left = mask.Top;
      turned.Top = -(mask.Left + width);
      origin = (width - 1) * pitch;
      alongRow = -pitch;
      downColumn = 1;
      break;
    case 2:
      turned.Left = -(mask.Left + width);
      turned.Top = -(mask.Top + height);
      origin = (height - 1) * pitch + width - 1;
      alongRow = -1;
      downColumn = -pitch;
      break;
    case 3:
      turned.Left = -(mask.Top + height);
      turned.Top = mask.Left;
      origin = height - 1;
      alongRow = pitch;
      downColumn = -1;
      break;
    default:
      turned.Left = mask.Left;
      turned.Top = mask.Top;
      break;
  }
  for (int row = 0; row < height; ++row) {
    const uint8_t* line = mask.Alpha + static_cast<size_t>(row) * mask.Width;
    uint8_t* to = turned.Alpha.data() + origin + row * downColumn;
    for (int x = 0; x < width; ++x, to += alongRow) *to = line[x];
  }
  return turned;
}

namespace {

// Red and blue in one step, alpha and green in another: weights of 256 in
// all keep every channel within its own 16 bits. No branch on the weight,
// which an antialiased edge would mispredict on every other pixel.
uint32_t BlendPixel(uint32_t pixel, uint8_t alpha, uint32_t argb) {
  const uint32_t w = alpha + (alpha >> 7u);
  const uint32_t rb = ((argb & 0xFF00FFu) * w + (pixel & 0xFF00FFu) * (256 - w)) >> 8;
  const uint32_t ag = ((argb >> 8) & 0xFF00FFu) * w + ((pixel >> 8) & 0xFF00FFu) * (256 - w);
  return (rb & 0xFF00FFu) | (ag & 0xFF00FF00u);
}

// x / 255 rounded to the nearest, for x up to 255 * 255.
uint32_t Div255(uint32_t x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

uint32_t BlendPixelUnder(uint32_t pixel, uint8_t alpha, uint32_t argb) {
  const uint32_t w = alpha + (alpha >> 7u);
  const uint32_t left = 255 - (pixel >> 24);
  uint32_t gain = 0;
  for (uint32_t shift = 0; shift < 32; shift += 8) {
    const uint32_t bare = (((argb >> shift) & 0xFFu) * w) >> 8;
    gain |= Div255(bare * left) << shift;
  }
  return pixel + gain;
}

template <bool Under>
void LayCoverageRow(uint32_t* pixels, const uint8_t* alpha, size_t count, uint32_t argb) {
  size_t i = 0;
#if HORUNE_SSE2
  // Four pixels at a time, a channel in each 16-bit lane, where the sums
  // never pass 255 * 256. Most of a turned glyph's box is bare or solid.
  const __m128i zero = _mm_setzero_si128();
  const __m128i colour = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(argb)), zero);
  const __m128i whole = _mm_set1_epi16(256);
  const __m128i full = _mm_set1_epi16(255);
  const __m128i half = _mm_set1_epi16(128);
  const __m128i solid = _mm_set1_epi32(static_cast<int>(argb));
  for (; i + 4 <= count; i += 4) {
    uint32_t quad;
    std::memcpy(&quad, alpha + i, sizeof quad);
    if (quad == 0) continue;
    __m128i* at = reinterpret_cast<__m128i*>(pixels + i);
    const __m128i dst = _mm_loadu_si128(at);
    // Beneath bare pixels, which most of a layer is, is over them.
    const bool over = !Under || _mm_movemask_epi8(_mm_cmpeq_epi32(dst, zero)) == 0xFFFF;
    if (over && quad == 0xFFFFFFFFu) {
      _mm_storeu_si128(at, solid);
      continue;
    }
    const __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(quad)), zero);
    const __m128i w = _mm_add_epi16(a, _mm_srli_epi16(a, 7));
    const __m128i pairs = _mm_unpacklo_epi16(w, w);
    const __m128i wLow = _mm_unpacklo_epi32(pairs, pairs);
    const __m128i wHigh = _mm_unpackhi_epi32(pairs, pairs);
    const auto blend = [&](__m128i d, __m128i wt) {
      if (Under && !over) {
        // What the colour would leave over a bare pixel, times what is left
        // of each pixel's alpha, over 255 rounded; every product fits 16 bits.
        const __m128i da = _mm_shufflehi_epi16(_mm_shufflelo_epi16(d, 0xFF), 0xFF);
        const __m128i bare = _mm_srli_epi16(_mm_mullo_epi16(colour, wt), 8);
        __m128i x = _mm_add_epi16(_mm_mullo_epi16(bare, _mm_sub_epi16(full, da)), half);
        x = _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
        return _mm_add_epi16(d, x);
      } else {
        return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(colour, wt),
                                            _mm_mullo_epi16(d, _mm_sub_epi16(whole, wt))),
                              8);
      }
    };
    const __m128i low = blend(_mm_unpacklo_epi8(dst, zero), wLow);
    const __m128i high = blend(_mm_unpackhi_epi8(dst, zero), wHigh);
    _mm_storeu_si128(at, _mm_packus_epi16(low, high));
  }
#endif
  for (; i < count; ++i) {
    if (alpha[i] == 0) continue;
    pixels[i] =
        Under ? BlendPixelUnder(pixels[i], alpha[i], argb) : BlendPixel(pixels[i], alpha[i], argb);
  }
}

}  // namespace

void BlendCoverageRow(uint32_t* pixels, const uint8_t* alpha, size_t count, uint32_t argb) {
  LayCoverageRow<false>(pixels, alpha, count, argb);
}

void BlendCoverageRowUnder(uint32_t* pixels, const uint8_t* alpha, size_t count, uint32_t argb) {
  LayCoverageRow<true>(pixels, alpha, count, argb);
}
