// Coverage by signed-area accumulation over a buffer of the outline's
// bounds, one spare column to the right for the edges' last spill.
#include "raster/coverage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

#include "common/simd.h"

namespace {

// A tenth of a unit, as the squared bound the subdivision count is taken from.
constexpr double kTolerance = 0.1;
constexpr int kMaxCurvePieces = 64;

void AddCubic(std::vector<PointF>& points, PointF p0, PointF p1, PointF p2, PointF p3) {
  // A cubic cut into n even pieces strays from its chords by at most 3/4 of
  // its largest second difference over n squared.
  const double dd = std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                             std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
  const int n = std::clamp(static_cast<int>(std::ceil(std::sqrt(0.75 * dd / kTolerance))), 1,
                           kMaxCurvePieces);
  for (int i = 1; i <= n; ++i) {
    const double t = static_cast<double>(i) / n;
    const double u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    points.push_back(
        {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
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

Affine Affine::Rotation(double degrees) {
  // Quarter turns exactly, so a turned pixel grid lands on itself.
  double c = 0.0, s = 0.0;
  const double q = degrees / 90.0;
  if (q == std::round(q)) {
    const int k = ((static_cast<int>(std::fmod(q, 4.0)) % 4) + 4) % 4;
    c = k == 0 ? 1.0 : k == 2 ? -1.0 : 0.0;
    s = k == 1 ? 1.0 : k == 3 ? -1.0 : 0.0;
  } else {
    const double r = degrees * std::numbers::pi / 180.0;
    c = std::cos(r);
    s = std::sin(r);
  }
  return {c, s, -s, c, 0.0, 0.0};
}

void OutlineBuilder::CloseContour() {
  const size_t begun = outline_.ContourEnds.empty() ? 0 : outline_.ContourEnds.back();
  if (outline_.Points.size() > begun) {
    outline_.ContourEnds.push_back(static_cast<uint32_t>(outline_.Points.size()));
  }
}

void OutlineBuilder::MoveTo(PointF p) {
  CloseContour();
  outline_.Points.push_back(p);
}

void OutlineBuilder::LineTo(PointF p) {
  outline_.Points.push_back(p);
}

void OutlineBuilder::QuadTo(PointF control, PointF end) {
  if (outline_.Points.empty()) return;
  // The same curve as a cubic: its controls two thirds of the way to the
  // quadratic's one.
  const PointF start = outline_.Points.back();
  CubicTo({start.x + 2.0 / 3 * (control.x - start.x), start.y + 2.0 / 3 * (control.y - start.y)},
          {end.x + 2.0 / 3 * (control.x - end.x), end.y + 2.0 / 3 * (control.y - end.y)}, end);
}

void OutlineBuilder::CubicTo(PointF c1, PointF c2, PointF end) {
  if (outline_.Points.empty()) return;
  AddCubic(outline_.Points, outline_.Points.back(), c1, c2, end);
}

FlatOutline OutlineBuilder::Take() {
  CloseContour();
  return std::exchange(outline_, FlatOutline{});
}

namespace {

// Adds the part of the edge within the rows [0, height) and the columns
// [0, width], every part left of the columns laid on their left side and
// every part right of them on their right, where it covers what it would
// have covered from there: coverage runs along the rows from the left.
void AccumulateClippedEdge(float* acc, int stride, int width, int height, PointF a, PointF b) {
  if (a.y == b.y) return;
  // The rows first.
  const double h = height;
  if ((a.y <= 0 && b.y <= 0) || (a.y >= h && b.y >= h)) return;
  const auto atY = [](PointF p, PointF q, double y) {
    return PointF{p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y), y};
  };
  if (a.y < 0) a = atY(a, b, 0);
  if (b.y < 0) b = atY(a, b, 0);
  if (a.y > h) a = atY(a, b, h);
  if (b.y > h) b = atY(a, b, h);
  // Then cut where it crosses either side, so each piece lies on one side.
  PointF pieces[4] = {a};
  int n = 1;
  const double sides[2] = {0.0, static_cast<double>(width)};
  double cuts[2];
  int cutCount = 0;
  for (double side : sides) {
    if ((a.x - side) * (b.x - side) < 0) cuts[cutCount++] = (side - a.x) / (b.x - a.x);
  }
  if (cutCount == 2 && cuts[0] > cuts[1]) std::swap(cuts[0], cuts[1]);
  for (int c = 0; c < cutCount; ++c) {
    pieces[n++] = {a.x + cuts[c] * (b.x - a.x), a.y + cuts[c] * (b.y - a.y)};
  }
  pieces[n++] = b;
  for (int i = 1; i < n; ++i) {
    const EdgePoint p{static_cast<float>(std::clamp(pieces[i - 1].x, 0.0, sides[1])),
                      static_cast<float>(std::clamp(pieces[i - 1].y, 0.0, h))};
    const EdgePoint q{static_cast<float>(std::clamp(pieces[i].x, 0.0, sides[1])),
                      static_cast<float>(std::clamp(pieces[i].y, 0.0, h))};
    AccumulateEdge(acc, stride, height, p, q);
  }
}

}  // namespace

namespace {

// A fill's working memory, kept by each thread from one fill to the next: a
// glyph drawn straight onto the canvas is filled band by band, and on some
// heaps (the Windows one among them) a fresh block of a band's megabyte is
// a fresh mapping of zeroed pages every time. A block grown beyond
// kKeptScratchBytes by a rare huge fill is given back after it.
struct FillScratch {
  std::vector<PointF> Mapped;
  std::vector<EdgePoint> Local;
  std::vector<float> Acc;
};
constexpr size_t kKeptScratchBytes = size_t{4} << 20;

FillScratch& ThreadScratch() {
  thread_local FillScratch scratch;
  return scratch;
}

template <class T>
void TrimScratch(std::vector<T>& v) {
  if (v.capacity() * sizeof(T) > kKeptScratchBytes) std::vector<T>().swap(v);
}

}  // namespace

CoverageMask FillCoverage(const FlatOutline& outline, const Affine& transform, int rowQuantum,
                          const CoverageClip* clip) {
  CoverageMask mask;
  FillCoverage(outline, transform, rowQuantum, clip, mask);
  return mask;
}

void FillCoverage(const FlatOutline& outline, const Affine& transform, int rowQuantum,
                  const CoverageClip* clip, CoverageMask& mask) {
  mask.Width = mask.Height = mask.Left = mask.Top = 0;
  mask.Alpha.clear();
  if (outline.Points.empty()) return;
  const double m11 = transform.m11, m12 = transform.m12, m21 = transform.m21, m22 = transform.m22,
               dx = transform.dx, dy = transform.dy;
  FillScratch& scratch = ThreadScratch();
  std::vector<PointF>& mapped = scratch.Mapped;
  mapped.resize(outline.Points.size());
  double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  for (size_t i = 0; i < mapped.size(); ++i) {
    const PointF& q = outline.Points[i];
    const double x = m11 * q.x + m21 * q.y + dx;
    const double y = m12 * q.x + m22 * q.y + dy;
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    mapped[i] = {x, y};
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  if (clip != nullptr) {
    minX = std::max(minX, static_cast<double>(clip->Left));
    minY = std::max(minY, static_cast<double>(clip->Top));
    maxX = std::min(maxX, static_cast<double>(clip->Right));
    maxY = std::min(maxY, static_cast<double>(clip->Bottom));
    if (!(minX < maxX && minY < maxY)) return;
  }
  // Bounds of 2^30 keep the corner's conversion to int defined.
  constexpr double kFar = 1 << 30;
  if (!(maxX - minX < kMaxCoverageSide && maxY - minY < kMaxCoverageSide && minX > -kFar &&
        maxX < kFar && minY > -kFar && maxY < kFar)) {
    return;
  }
  mask.Left = static_cast<int>(std::floor(minX));
  mask.Top = static_cast<int>(std::floor(minY));
  mask.Width = static_cast<int>(std::ceil(maxX)) - mask.Left;
  mask.Height = static_cast<int>(std::ceil(maxY)) - mask.Top;
  if (mask.Width <= 0 || mask.Height <= 0) {
    mask.Width = mask.Height = mask.Left = mask.Top = 0;
    return;
  }
  // Two spare columns: one for an edge on the right bound, one for its spill.
  const int width = mask.Width + 2;
  std::vector<float>& acc = scratch.Acc;
  acc.assign(static_cast<size_t>(width) * mask.Height, 0.0f);
  if (clip != nullptr) {
    for (PointF& p : mapped) p = {p.x - mask.Left, p.y - mask.Top};
    uint32_t begin = 0;
    for (uint32_t end : outline.ContourEnds) {
      for (uint32_t i = begin; i < end; ++i) {
        const uint32_t next = i + 1 < end ? i + 1 : begin;
        AccumulateClippedEdge(acc.data(), width, mask.Width, mask.Height, mapped[i], mapped[next]);
      }
      begin = end;
    }
  } else {
    // From the buffer's corner, held inside it against rounding.
    std::vector<EdgePoint>& local = scratch.Local;
    local.resize(mapped.size());
    for (size_t i = 0; i < mapped.size(); ++i) {
      local[i] = {static_cast<float>(
                      std::clamp(mapped[i].x - mask.Left, 0.0, static_cast<double>(mask.Width))),
                  static_cast<float>(
                      std::clamp(mapped[i].y - mask.Top, 0.0, static_cast<double>(mask.Height)))};
    }
    uint32_t begin = 0;
    for (uint32_t end : outline.ContourEnds) {
      for (uint32_t i = begin; i < end; ++i) {
        const uint32_t next = i + 1 < end ? i + 1 : begin;
        AccumulateEdge(acc.data(), width, mask.Height, local[i], local[next]);
      }
      begin = end;
    }
  }
  const int covered = mask.Width;
  mask.Width = PaddedWidth(covered, rowQuantum);
  mask.Alpha.assign(static_cast<size_t>(mask.Width) * mask.Height, 0);
  for (int row = 0; row < mask.Height; ++row) {
    const float* line = acc.data() + static_cast<size_t>(row) * width;
    uint8_t* out = mask.Alpha.data() + static_cast<size_t>(row) * mask.Width;
    RunningCoverage(line, out, covered);
  }
  TrimScratch(mapped);
  TrimScratch(scratch.Local);
  TrimScratch(acc);
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
