// The raster canvas: thin lines go to the pixel walker, fills to scanline
// spans, glyphs to the glyph painter (glyphpainter.h).
#include "raster/rastercanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

uint32_t Argb(TColor c) {
  return kOpaque | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

TColor FromArgb(uint32_t p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

// One pixel, where it lies on the buffer.
void PutPixel(const PixelBuffer& px, int32_t x, int32_t y, uint32_t argb) {
  if (x >= 0 && y >= 0 && x < px.Width && y < px.Height) px.Bits[y * px.Stride + x] = argb;
}

// The dash patterns of one-pixel pens, in pixels on and off.
const LineStyleMask& StyleMask(PenStyle style) {
  static const LineStyleMask dash = MakeLineStyleMask({18, 6});
  static const LineStyleMask dot = MakeLineStyleMask({3, 3});
  static const LineStyleMask dashDot = MakeLineStyleMask({9, 6, 3, 6});
  static const LineStyleMask dashDotDot = MakeLineStyleMask({9, 3, 3, 3, 3, 3});
  switch (style) {
    case PenStyle::Dash:
      return dash;
    case PenStyle::Dot:
      return dot;
    case PenStyle::DashDot:
      return dashDot;
    case PenStyle::DashDotDot:
      return dashDotDot;
    default:
      return kSolidLine;
  }
}

// GDI's hatches: eight rows of eight pixels from the screen's own origin,
// the leftmost pixel in the high bit.
const uint8_t* HatchRows(BrushStyle style) {
  static const uint8_t kHatches[6][8] = {
      {0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0x00},  // horizontal
      {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
      {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal
      {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
      {0x08, 0x08, 0x08, 0xff, 0x08, 0x08, 0x08, 0x08},  // cross
      {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
  };
  switch (style) {
    case BrushStyle::Horizontal:
      return kHatches[0];
    case BrushStyle::Vertical:
      return kHatches[1];
    case BrushStyle::FDiagonal:
      return kHatches[2];
    case BrushStyle::BDiagonal:
      return kHatches[3];
    case BrushStyle::Cross:
      return kHatches[4];
    case BrushStyle::DiagCross:
      return kHatches[5];
    default:
      return nullptr;
  }
}

// The pixels a vector keeps, for a canvas with no store of its own.
class VectorStore : public PixelStore {
 public:
  PixelBuffer Allocate(int width, int height) override {
    // The canvas fills them at once; a layer asks for the same size at
    // every redraw.
    pixels_.resize(static_cast<size_t>(width) * height);
    pixels_.shrink_to_fit();
    return {pixels_.data(), width, width, height};
  }

 private:
  std::vector<uint32_t> pixels_;
};

// A pen wider than any canvas is as good as one of this width.
constexpr int32_t kMaxPenWidth = 1 << 15;

// Calls span(y, x0, x1) for the pixels [x0, x1) of each row that lie
// inside the polygon by the alternate rule, rows and columns held to the
// buffer and a pixel beyond. As GDI fills: a pixel is inside when its
// top-left corner is, an edge holding the points on its left and top side
// and not those on its right and bottom side. Each row looks only at the
// edges that cross it, so a filled circle of hundreds of edges costs its
// rows, not its rows times its edges.
template <typename Scratch, typename SpanFn>
void ShapeSpans(std::span<const PointF> points, const PixelBuffer& px, Scratch& scratch,
                SpanFn&& span) {
  if (points.size() < 3) return;
  auto& edges = scratch.Edges;
  auto& active = scratch.Active;
  auto& crossings = scratch.Crossings;
  edges.clear();
  const int64_t top = 0;
  const int64_t bottom = static_cast<int64_t>(px.Height) - 1;
  for (size_t i = 0; i < points.size(); ++i) {
    const PointF& a = points[i];
    const PointF& b = points[i + 1 < points.size() ? i + 1 : 0];
    if (a.y == b.y || !std::isfinite(a.y) || !std::isfinite(b.y)) continue;
    // Rows y with low <= y < high: each edge holds its upper end and not
    // its lower, so a vertex between two edges counts once.
    const double low = std::min(a.y, b.y);
    const double high = std::max(a.y, b.y);
    const int64_t first = std::max(top, static_cast<int64_t>(std::max(std::ceil(low), -1.0)));
    const int64_t last =
        std::min(bottom, static_cast<int64_t>(std::min(std::ceil(high), px.Height + 1.0)) - 1);
    if (first <= last) edges.push_back({a.x, a.y, b.x - a.x, b.y - a.y, first, last});
  }
  if (edges.empty()) return;
  std::sort(edges.begin(), edges.end(),
            [](const auto& e, const auto& f) { return e.First < f.First; });
  active.clear();
  size_t next = 0;
  for (int64_t y = edges.front().First; next < edges.size() || !active.empty(); ++y) {
    while (next < edges.size() && edges[next].First == y)
      active.push_back(static_cast<uint32_t>(next++));
    std::erase_if(active, [&](uint32_t e) { return edges[e].Last < y; });
    if (active.empty()) {
      if (next < edges.size()) y = edges[next].First - 1;
      continue;
    }
    const double cy = static_cast<double>(y);
    crossings.clear();
    for (uint32_t e : active) {
      const auto& edge = edges[e];
      crossings.push_back(edge.X + (cy - edge.Y) * edge.Dx / edge.Dy);
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      // Pixels whose corners lie in [left, right).
      const double from = std::clamp(std::ceil(crossings[i]), -1.0, px.Width + 1.0);
      const double to = std::clamp(std::ceil(crossings[i + 1]), -1.0, px.Width + 1.0);
      span(static_cast<int32_t>(y), static_cast<int32_t>(from), static_cast<int32_t>(to));
    }
  }
}

// GDI's round end and join of a pen w pixels wide (w >= 2) is the
// elliptic region of a w x w box; this gives how far each of its rows lies
// in from the box's sides. Its lower half is walked as GDI walks it, by
// the integer midpoint steps of Zingl's ellipse, and mirrored.
void BlotInsets(int w, std::vector<int32_t>& inset) {
  inset.assign(static_cast<size_t>(w), 0);
  const int64_t a = w - 1, b = w - 1, odd = b % 2;
  int64_t dx = 4 * b * b * (1 - a), dy = 4 * a * a * (1 + odd);
  int64_t err = dx + dy + a * a * odd;
  int32_t x = 0;
  for (int64_t y = w / 2; x <= w / 2;) {
    const int64_t twice = 2 * err;
    if (twice >= dx) {
      ++x;
      dx += 8 * b * b;
      err += dx;
    }
    if (twice <= dy) {
      ++y;
      dy += 8 * a * a;
      err += dy;
      if (y < w) inset[y] = x;
    }
  }
  for (int i = 0; i < w / 2; ++i) inset[i] = inset[b - i];
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height, std::unique_ptr<GlyphSource> glyphs, Blank blank,
                           std::unique_ptr<PixelStore> store)
    : blank_(blank), glyphs_(std::move(glyphs)), store_(std::move(store)) {
  if (store_ == nullptr) store_ = std::make_unique<VectorStore>();
  Resize(width, height);
}

RasterCanvas::~RasterCanvas() = default;

void RasterCanvas::Resize(int width, int height) {
  pixels_ = store_->Allocate(std::max(width, 1), std::max(height, 1));
  const uint32_t blank = blank_ == Blank::White ? 0xFFFFFFFFu : 0u;
  for (int32_t y = 0; y < pixels_.Height; ++y) {
    uint32_t* row = pixels_.Bits + y * pixels_.Stride;
    std::fill(row, row + pixels_.Width, blank);
  }
}

void RasterCanvas::ForgetPenAndBrush() {
  penSet_ = false;
  brushSet_ = false;
}

Canvas::LayerMaker RasterCanvas::MakeLayerMaker() {
  // The maker is called once, on the layer's thread, which the glyphs then
  // belong to.
  auto glyphs = std::make_shared<std::unique_ptr<GlyphSource>>(glyphs_.Source().MakeAnother());
  return [width = pixels_.Width, height = pixels_.Height, glyphs]() -> std::unique_ptr<Canvas> {
    return std::make_unique<RasterCanvas>(width, height, std::move(*glyphs), Blank::Underlay);
  };
}

void RasterCanvas::BlankLayer() {
  Resize(pixels_.Width, pixels_.Height);
  ForgetPenAndBrush();
}

bool RasterCanvas::LayOver(Canvas& canvas) {
  RasterCanvas* layer = dynamic_cast<RasterCanvas*>(&canvas);
  if (layer == nullptr) return false;
  const PixelBuffer& over = layer->pixels_;
  if (over.Width != pixels_.Width || over.Height != pixels_.Height) return false;
  // Source over, the layer's pixels premultiplied: each channel becomes
  // the layer's plus what its alpha leaves of the one beneath.
  for (int32_t y = 0; y < over.Height; ++y) {
    const uint32_t* src = over.Bits + y * over.Stride;
    uint32_t* dst = pixels_.Bits + y * pixels_.Stride;
    for (int32_t x = 0; x < over.Width; ++x) {
      const uint32_t s = src[x];
      const uint32_t a = s >> 24;
      if (a == 0) continue;
      if (a == 255) {
        dst[x] = s;
        continue;
      }
      const uint32_t left = 255 - a;
      const uint32_t d = dst[x];
      uint32_t out = 0;
      for (uint32_t shift = 0; shift < 32; shift += 8) {
        uint32_t v = ((d >> shift) & 0xFFu) * left + 128;
        v = (v + (v >> 8)) >> 8;
        out |= std::min<uint32_t>(((s >> shift) & 0xFFu) + v, 255) << shift;
      }
      dst[x] = out;
    }
  }
  if (layer->penSet_) SetPen(layer->pen_);
  if (layer->brushSet_) SetBrush(layer->brush_);
  // The layer keeps its picture's memory for the next redraw: made anew each
  // time, its megabytes come back as fresh zeroed pages, a cost that the
  // Windows heap pays at every wheel notch.
  return true;
}

void RasterCanvas::SetPen(const Pen& pen) {
  penSet_ = true;
  if (pen == pen_) return;
  pen_ = pen;
  pen_.Width = std::min(pen.Width, kMaxPenWidth);
  // As GDI's pens: a wide one has no dashes, and is round at every point.
  style_ = pen.Width > 1 ? &kSolidLine : &StyleMask(pen.Style);
  stylePhase_ = 0;
  if (pen_.Width > 1) BlotInsets(pen_.Width, blotInsets_);
}

void RasterCanvas::SetBrush(const Brush& brush) {
  brushSet_ = true;
  brush_ = brush;
}

void RasterCanvas::MoveTo(int32_t x, int32_t y) {
  posX_ = x;
  posY_ = y;
}

void RasterCanvas::ThinSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  DrawThinLine(pixels_, x1, y1, x2, y2, Argb(pen_.Color), pen_.Mix == PenMix::Xor, *style_,
               stylePhase_);
}

void RasterCanvas::WideOutline(std::span<const ScreenPoint> points, bool closed) {
  wide_.clear();
  const int64_t w = pen_.Width;
  const int64_t height = pixels_.Height, width = pixels_.Width;
  // Rows [top, bottom) of columns [left, right), held to the buffer and a
  // column beyond, as the fills are.
  const auto box = [&](int64_t left, int64_t top, int64_t right, int64_t bottom) {
    left = std::max<int64_t>(left, -1);
    right = std::min<int64_t>(right, width + 1);
    if (left >= right) return;
    for (int64_t y = std::max<int64_t>(top, 0); y < std::min(bottom, height); ++y) {
      wide_.push_back(
          {static_cast<int32_t>(y), static_cast<int32_t>(left), static_cast<int32_t>(right)});
    }
  };
  // The blot at each point: GDI's elliptic region of the box from -(w/2)
  // to (w + 1) / 2 about it, its rows as blotInsets_ holds them.
  const int64_t back = w / 2, ahead = (w + 1) / 2;
  for (const ScreenPoint& p : points) {
    if (p.y + ahead < 0 || p.y - back >= height) continue;
    for (int64_t row = 0; row < w; ++row) {
      const int64_t in = blotInsets_[row];
      box(p.x - back + in, p.y - back + row, p.x + ahead - in, p.y - back + row + 1);
    }
  }
  const size_t segments = closed ? points.size() : points.size() - 1;
  for (size_t i = 0; i < segments; ++i) {
    const ScreenPoint& a = points[i];
    const ScreenPoint& b = points[(i + 1) % points.size()];
    const int64_t dx = static_cast<int64_t>(b.x) - a.x, dy = static_cast<int64_t>(b.y) - a.y;
    if (dy == 0) {
      box(std::min(a.x, b.x), a.y - back, std::max(a.x, b.x), a.y - back + w);
    } else if (dx == 0) {
      box(a.x - back, std::min(a.y, b.y), a.x - back + w, std::max(a.y, b.y));
    } else {
      // A slanted band: its sides are offset by the pen's width across the
      // segment, split into a narrow and a wide half, each rounded half
      // away from zero as GDI rounds them, and filled as a polygon.
      const double len = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
      const double wx = static_cast<double>(w * std::abs(dy)) / len;
      const double wy = static_cast<double>(w * std::abs(dx)) / len;
      double narrowX = std::floor(wx / 2 + 0.5), narrowY = std::floor(wy / 2 + 0.5);
      double wideX = std::floor((wx + 1) / 2 + 0.5), wideY = std::floor((wy + 1) / 2 + 0.5);
      if (dx < 0) narrowY = -narrowY, wideY = -wideY;
      if (dy < 0) {
        std::swap(narrowX, wideX);
        std::swap(narrowY, wideY);
        narrowX = -narrowX, wideX = -wideX;
      }
      const double ax = a.x, ay = a.y, bx = b.x, by = b.y;
      const PointF band[] = {{ax - narrowX, ay + narrowY},
                             {ax + wideX, ay - wideY},
                             {bx + wideX, by - wideY},
                             {bx - narrowX, by + narrowY}};
      ShapeSpans(band, pixels_, fill_, [&](int32_t y, int32_t x0, int32_t x1) {
        if (x0 < x1) wide_.push_back({y, x0, x1});
      });
    }
  }
  // One set: by rows, then columns, spans that touch or overlap merged.
  std::sort(wide_.begin(), wide_.end(), [](const WideSpan& s, const WideSpan& t) {
    return s.Y != t.Y ? s.Y < t.Y : s.X0 < t.X0;
  });
  size_t kept = 0;
  for (const WideSpan& s : wide_) {
    if (kept > 0 && wide_[kept - 1].Y == s.Y && s.X0 <= wide_[kept - 1].X1) {
      wide_[kept - 1].X1 = std::max(wide_[kept - 1].X1, s.X1);
    } else {
      wide_[kept++] = s;
    }
  }
  wide_.resize(kept);
}

void RasterCanvas::LayWide() {
  const uint32_t argb = Argb(pen_.Color);
  const bool xorMix = pen_.Mix == PenMix::Xor;
  for (const WideSpan& s : wide_) Span(s.Y, s.X0, s.X1, argb, xorMix, false);
}

void RasterCanvas::SpanBesideWide(int32_t y, int32_t x0, int32_t x1, uint32_t argb, bool xorMix,
                                  bool hatched) {
  auto s = std::lower_bound(wide_.begin(), wide_.end(), y,
                            [](const WideSpan& t, int32_t row) { return t.Y < row; });
  for (; s != wide_.end() && s->Y == y && x0 < x1; ++s) {
    if (s->X1 <= x0) continue;
    if (s->X0 >= x1) break;
    Span(y, x0, s->X0, argb, xorMix, hatched);
    x0 = s->X1;
  }
  Span(y, x0, x1, argb, xorMix, hatched);
}

void RasterCanvas::LineTo(int32_t x, int32_t y) {
  if (pen_.Style != PenStyle::Null) {
    if (ThinPen()) {
      // As GDI draws: every line begins its pen's pattern afresh.
      stylePhase_ = 0;
      ThinSegment(posX_, posY_, x, y);
    } else {
      const ScreenPoint ends[] = {{posX_, posY_}, {x, y}};
      WideOutline(ends, false);
      LayWide();
    }
  }
  posX_ = x;
  posY_ = y;
}

void RasterCanvas::ScreenLines(std::span<const ScreenPoint> points) {
  if (points.size() < 2 || pen_.Style == PenStyle::Null || !ThinPen()) {
    Canvas::ScreenLines(points);
    return;
  }
  // The curves of the preview come as dozens of lines of a pixel or less.
  // Each line begins the pen's pattern afresh, whose first pixel is drawn.
  const PixelBuffer& px = pixels_;
  const uint32_t color = Argb(pen_.Color);
  const bool copy = pen_.Mix == PenMix::Copy;
  for (size_t i = 1; i < points.size(); ++i) {
    const ScreenPoint& a = points[i - 1];
    const ScreenPoint& b = points[i];
    // A line of no length draws nothing; one to a pixel next to its start
    // draws its start alone.
    if (copy && std::abs(static_cast<int64_t>(b.x) - a.x) <= 1 &&
        std::abs(static_cast<int64_t>(b.y) - a.y) <= 1) {
      if (!(a == b)) PutPixel(px, a.x, a.y, color);
    } else if (!(a == b)) {
      stylePhase_ = 0;
      ThinSegment(a.x, a.y, b.x, b.y);
    }
    PutPixel(px, b.x, b.y, color);
  }
  posX_ = points.back().x;
  posY_ = points.back().y;
}

void RasterCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
  PutPixel(pixels_, x, y, Argb(color));
}

void RasterCanvas::Outline(std::span<const ScreenPoint> points, bool closed) {
  if (pen_.Style == PenStyle::Null || points.size() < 2) return;
  if (!ThinPen()) {
    WideOutline(points, closed);
    LayWide();
    return;
  }
  // The pattern begins afresh with each outline and runs on along it.
  stylePhase_ = 0;
  for (size_t i = 1; i < points.size(); ++i) {
    ThinSegment(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
  }
  if (closed) ThinSegment(points.back().x, points.back().y, points[0].x, points[0].y);
}

void RasterCanvas::Span(int32_t y, int32_t x0, int32_t x1, uint32_t argb, bool xorMix,
                        bool hatched) {
  x0 = std::max(x0, 0);
  x1 = std::min(x1, pixels_.Width);
  if (y < 0 || y >= pixels_.Height || x0 >= x1) return;
  uint32_t* row = pixels_.Bits + y * pixels_.Stride;
  const uint32_t toggle = argb & 0x00FFFFFFu;
  if (!hatched) {
    if (xorMix) {
      for (int32_t x = x0; x < x1; ++x) row[x] ^= toggle;
    } else {
      std::fill(row + x0, row + x1, argb);
    }
    return;
  }
  const uint8_t bits = HatchRows(brush_.Style)[y & 7];
  if (bits == 0) return;
  for (int32_t x = x0; x < x1; ++x) {
    if ((bits & (0x80u >> (x & 7))) == 0) continue;
    if (xorMix) {
      row[x] ^= toggle;
    } else {
      row[x] = argb;
    }
  }
}

void RasterCanvas::FillShape(std::span<const PointF> points, uint32_t argb, bool xorMix,
                             bool hatched) {
  ShapeSpans(points, pixels_, fill_,
             [&](int32_t y, int32_t x0, int32_t x1) { Span(y, x0, x1, argb, xorMix, hatched); });
}

void RasterCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) return;
  // GDI's way round, from the top right corner leftwards, which a dotted
  // pen's pattern shows.
  const ScreenPoint corners[] = {{x2 - 1, y1}, {x1, y1}, {x1, y2 - 1}, {x2 - 1, y2 - 1}};
  // A wide pen's outline is one region, and the fill lies outside it.
  const bool wide = !ThinPen();
  wide_.clear();
  if (wide) WideOutline(corners, true);
  if (brush_.Style != BrushStyle::Hollow) {
    // Without a pen the fill takes the outline's place, one pixel less each
    // way; with one it lies inside the outline.
    const int64_t inset = pen_.Style == PenStyle::Null ? 0 : 1;
    const int64_t left = std::max<int64_t>(x1 + inset, -1);
    const int64_t top = std::max<int64_t>(y1 + inset, -1);
    const int64_t right = std::min<int64_t>(static_cast<int64_t>(x2) - 1, pixels_.Width + 1);
    const int64_t bottom = std::min<int64_t>(static_cast<int64_t>(y2) - 1, pixels_.Height + 1);
    const bool hatched = brush_.Style != BrushStyle::Solid;
    for (int64_t y = top; y < bottom; ++y) {
      SpanBesideWide(static_cast<int32_t>(y), static_cast<int32_t>(left),
                     static_cast<int32_t>(right), Argb(brush_.Color), pen_.Mix == PenMix::Xor,
                     hatched);
    }
  }
  if (wide) {
    LayWide();
  } else {
    Outline(corners, true);
  }
}

void RasterCanvas::Polyline(std::span<const ScreenPoint> points) {
  Outline(points, false);
}

void RasterCanvas::Polygon(std::span<const ScreenPoint> points) {
  const bool wide = !ThinPen() && points.size() >= 2;
  wide_.clear();
  if (wide) WideOutline(points, true);
  if (brush_.Style != BrushStyle::Hollow && points.size() >= 3) {
    shape_.clear();
    for (const ScreenPoint& p : points) shape_.push_back({double(p.x), double(p.y)});
    const uint32_t argb = Argb(brush_.Color);
    const bool xorMix = pen_.Mix == PenMix::Xor, hatched = brush_.Style != BrushStyle::Solid;
    ShapeSpans(shape_, pixels_, fill_, [&](int32_t y, int32_t x0, int32_t x1) {
      SpanBesideWide(y, x0, x1, argb, xorMix, hatched);
    });
  }
  if (wide) {
    LayWide();
  } else {
    Outline(points, true);
  }
}

void RasterCanvas::SetTextColor(TColor color) {
  textColor_ = color;
}

void RasterCanvas::SetFont(const LogFont& font) {
  glyphs_.SetFont(font);
}

void RasterCanvas::TextOut(int32_t x, int32_t y, const std::string& glyph) {
  if (!glyphs_.Visible() || glyph.empty()) return;
  const bool fullWidth = glyph.size() > 1;
  // On a layer that stacks beneath, the glyph goes first and its cell under
  // it.
  const bool beneath = blank_ == Blank::Underlay;
  if (!beneath) FillCell(x, y, fullWidth);
  glyphs_.Paint(pixels_, x, y, glyph, Argb(textColor_), beneath);
  if (beneath) FillCell(x, y, fullWidth);
}

void RasterCanvas::FillCell(int32_t x, int32_t y, bool fullWidth) {
  if (brush_.Style == BrushStyle::Hollow) return;
  const std::array<PointF, 4> corners = glyphs_.Cell(x, y, fullWidth);
  const uint32_t argb = Argb(brush_.Color);
  if (blank_ != Blank::Underlay) {
    FillShape(corners, argb, false, false);
    return;
  }
  // Under what the layer holds: each pixel gains the colour by what its
  // alpha leaves.
  static const uint8_t kFull[4] = {255, 255, 255, 255};
  ShapeSpans(corners, pixels_, fill_, [&](int32_t y, int32_t x0, int32_t x1) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, pixels_.Width);
    uint32_t* row = pixels_.Bits + y * pixels_.Stride;
    for (int32_t x = x0; x < x1; ++x) BlendCoverageRowUnder(row + x, kFull, 1, argb);
  });
}

Bitmap RasterCanvas::CopyToBitmap() {
  const PixelBuffer& px = pixels_;
  Bitmap bitmap{px.Width, px.Height, {}};
  bitmap.Pixels.resize(static_cast<size_t>(px.Width) * px.Height);
  // Row by row into place, a loop the compiler turns to vector code.
  TColor* out = bitmap.Pixels.data();
  for (int32_t y = 0; y < px.Height; ++y, out += px.Width) {
    const uint32_t* row = px.Bits + y * px.Stride;
    std::transform(row, row + px.Width, out, FromArgb);
  }
  return bitmap;
}

void RasterCanvas::DrawBitmap(int32_t x, int32_t y, const Bitmap& bitmap) {
  const PixelBuffer& px = pixels_;
  int64_t x0 = std::max<int64_t>(x, 0);
  int64_t y0 = std::max<int64_t>(y, 0);
  int64_t x1 = std::min<int64_t>(static_cast<int64_t>(x) + bitmap.Width, px.Width);
  int64_t y1 = std::min<int64_t>(static_cast<int64_t>(y) + bitmap.Height, px.Height);
  for (int64_t row = y0; row < y1; ++row) {
    const TColor* src = bitmap.Pixels.data() + (row - y) * bitmap.Width;
    uint32_t* dst = px.Bits + row * px.Stride;
    for (int64_t col = x0; col < x1; ++col) dst[col] = Argb(src[col - x]);
  }
}
