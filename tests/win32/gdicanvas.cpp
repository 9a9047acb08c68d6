// GDI on a DIB section. The context keeps transparent background mode (hatch
// gaps and pen gaps show what lies beneath), alternate polygon filling and
// top-left text alignment for its whole life; pens, brushes and fonts are
// created when their value changes and deleted when replaced.
#include "tests/win32/gdicanvas.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/sjis.h"
#include "text/facenames.h"
#include "ui/win32/dibcanvas.h"

namespace {

int GdiPenStyle(const Pen& pen) {
  if (pen.Style == PenStyle::Null) return PS_NULL;
  switch (pen.Style) {
    case PenStyle::Dash:
      return PS_DASH;
    case PenStyle::Dot:
      return PS_DOT;
    case PenStyle::DashDot:
      return PS_DASHDOT;
    case PenStyle::DashDotDot:
      return PS_DASHDOTDOT;
    default:
      return PS_SOLID;
  }
}

// The hatch of a brush style, or -1 for the plain ones.
int GdiHatch(BrushStyle style) {
  switch (style) {
    case BrushStyle::Horizontal:
      return HS_HORIZONTAL;
    case BrushStyle::Vertical:
      return HS_VERTICAL;
    case BrushStyle::FDiagonal:
      return HS_FDIAGONAL;
    case BrushStyle::BDiagonal:
      return HS_BDIAGONAL;
    case BrushStyle::Cross:
      return HS_CROSS;
    case BrushStyle::DiagCross:
      return HS_DIAGCROSS;
    default:
      return -1;
  }
}

// DIB pixels hold blue in the low byte, TColor red.
uint32_t SwapRedBlue(uint32_t c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

}  // namespace

GdiCanvas::GdiCanvas(int width, int height) {
  dc_ = CreateCompatibleDC(nullptr);
  SetBkMode(dc_, TRANSPARENT);
  SetPolyFillMode(dc_, ALTERNATE);
  SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
  initialPen_ = GetCurrentObject(dc_, OBJ_PEN);
  initialBrush_ = GetCurrentObject(dc_, OBJ_BRUSH);
  initialFont_ = GetCurrentObject(dc_, OBJ_FONT);
  Resize(width, height);
  SelectPen();
  SelectBrush();
}

GdiCanvas::~GdiCanvas() {
  SelectObject(dc_, initialPen_);
  SelectObject(dc_, initialBrush_);
  SelectObject(dc_, initialFont_);
  SelectObject(dc_, initialBitmap_);
  for (HGDIOBJ owned : {ownPen_, ownBrush_, ownFont_, static_cast<HGDIOBJ>(bitmap_)}) {
    if (owned != nullptr) DeleteObject(owned);
  }
  DeleteDC(dc_);
}

void GdiCanvas::Resize(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  void* bits = nullptr;
  HBITMAP bitmap = TopDownDib(dc_, width_, height_, &bits);
  if (bitmap == nullptr) return;  // the old picture stays rather than none
  HGDIOBJ old = SelectObject(dc_, bitmap);
  if (initialBitmap_ == nullptr) initialBitmap_ = old;
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  bitmap_ = bitmap;
  bits_ = bits;
  std::memset(bits_, 0xFF, static_cast<size_t>(width_) * height_ * 4);
}

uint32_t* GdiCanvas::Pixels() {
  // GDI may still hold drawing in its batch.
  GdiFlush();
  return static_cast<uint32_t*>(bits_);
}

void GdiCanvas::Select(HGDIOBJ object, HGDIOBJ& owned) {
  SelectObject(dc_, object);
  if (owned != nullptr) DeleteObject(owned);
  owned = object;
}

void GdiCanvas::SelectPen() {
  Select(CreatePen(GdiPenStyle(pen_), std::max(pen_.Width, 0), pen_.Color), ownPen_);
  SetROP2(dc_, pen_.Mix == PenMix::Xor ? R2_XORPEN : R2_COPYPEN);
}

void GdiCanvas::SelectBrush() {
  HGDIOBJ brush = nullptr;
  if (brush_.Style == BrushStyle::Hollow) {
    LOGBRUSH hollow{BS_HOLLOW, 0, 0};
    brush = CreateBrushIndirect(&hollow);
  } else if (const int hatch = GdiHatch(brush_.Style); hatch >= 0) {
    brush = CreateHatchBrush(hatch, brush_.Color);
  } else {
    brush = CreateSolidBrush(brush_.Color);
  }
  Select(brush, ownBrush_);
}

void GdiCanvas::SetPen(const Pen& pen) {
  if (pen == pen_) return;
  pen_ = pen;
  SelectPen();
}

void GdiCanvas::SetBrush(const Brush& brush) {
  if (brush == brush_) return;
  brush_ = brush;
  SelectBrush();
}

void GdiCanvas::MoveTo(int32_t x, int32_t y) {
  MoveToEx(dc_, x, y, nullptr);
}

void GdiCanvas::LineTo(int32_t x, int32_t y) {
  ::LineTo(dc_, x, y);
}

void GdiCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Pixels()[static_cast<size_t>(y) * width_ + x] = SwapRedBlue(color);
}

void GdiCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (x1 == x2 || y1 == y2) return;
  ::Rectangle(dc_, x1, y1, x2, y2);
}

const POINT* GdiCanvas::GdiPoints(std::span<const ScreenPoint> points) {
  points_.clear();
  for (const ScreenPoint& p : points) points_.push_back({p.x, p.y});
  return points_.data();
}

void GdiCanvas::Polyline(std::span<const ScreenPoint> points) {
  if (points.size() < 2) return;
  ::Polyline(dc_, GdiPoints(points), static_cast<int>(points.size()));
}

void GdiCanvas::Polygon(std::span<const ScreenPoint> points) {
  if (points.size() < 2) return;
  ::Polygon(dc_, GdiPoints(points), static_cast<int>(points.size()));
}

void GdiCanvas::SetFont(const LogFont& font) {
  // An "@" face is GDI's own vertical-writing variant of the face.
  LOGFONTW record = GdiFontRecord(font, InstalledFace(FaceNameOf(font.FaceName)));
  record.lfEscapement = font.Escapement;
  record.lfOrientation = font.Orientation;
  Select(CreateFontIndirectW(&record), ownFont_);
  fontVisible_ = font.Height != 0;
}

void GdiCanvas::SetTextColor(TColor color) {
  ::SetTextColor(dc_, color);
}

void GdiCanvas::TextOut(int32_t x, int32_t y, const std::string& glyph) {
  if (!fontVisible_ || glyph.empty()) return;
  const std::wstring text = WideFromSjis(glyph);
  const bool filled = brush_.Style != BrushStyle::Hollow;
  if (filled) {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, brush_.Color);
  }
  TextOutW(dc_, x, y, text.data(), static_cast<int>(text.size()));
  if (filled) SetBkMode(dc_, TRANSPARENT);
}

Bitmap GdiCanvas::CopyToBitmap() {
  const uint32_t* px = Pixels();
  Bitmap bitmap{width_, height_, {}};
  const size_t n = static_cast<size_t>(width_) * height_;
  bitmap.Pixels.resize(n);
  for (size_t i = 0; i < n; ++i) bitmap.Pixels[i] = SwapRedBlue(px[i]) & 0xFFFFFFu;
  return bitmap;
}

void GdiCanvas::DrawBitmap(int32_t x, int32_t y, const Bitmap& bitmap) {
  uint32_t* px = Pixels();
  const int64_t x0 = std::max<int64_t>(x, 0);
  const int64_t y0 = std::max<int64_t>(y, 0);
  const int64_t x1 = std::min<int64_t>(static_cast<int64_t>(x) + bitmap.Width, width_);
  const int64_t y1 = std::min<int64_t>(static_cast<int64_t>(y) + bitmap.Height, height_);
  for (int64_t row = y0; row < y1; ++row) {
    const TColor* src = bitmap.Pixels.data() + (row - y) * bitmap.Width;
    uint32_t* dst = px + row * width_;
    for (int64_t col = x0; col < x1; ++col) dst[col] = SwapRedBlue(src[col - x]);
  }
}
