// The QImage canvas: thin lines go to the pixel walker, everything else
// through one QPainter set up anew only when what it draws changes.
#include "ui/qt/qtcanvas.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

#include "common/sjis.h"
#include "ui/qt/layerthread.h"

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

uint32_t Argb(TColor c) {
  return kOpaque | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// One pixel, where it lies on the buffer.
void PutPixel(const PixelBuffer& px, int32_t x, int32_t y, uint32_t argb) {
  if (x >= 0 && y >= 0 && x < px.Width && y < px.Height) px.Bits[y * px.Stride + x] = argb;
}

TColor FromArgb(uint32_t p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
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

QPainter::CompositionMode MixMode(PenMix mix) {
  return mix == PenMix::Xor ? QPainter::RasterOp_SourceXorDestination
                            : QPainter::CompositionMode_SourceOver;
}

// The cell height (ascent + descent) of a family per pixel of its em; a
// layer's thread keeps its own.
double CellPerEm(const QString& family) {
  thread_local QHash<QString, double> cache;
  auto it = cache.constFind(family);
  if (it != cache.constEnd()) return *it;
  constexpr int kProbe = 1000;
  QFont probe(family);
  probe.setPixelSize(kProbe);
  double ratio = QFontMetricsF(probe).height() / kProbe;
  if (!(ratio > 0.0)) ratio = 1.0;
  cache.insert(family, ratio);
  return ratio;
}

// Beyond this em in pixels a glyph is not drawn: none that size can be read
// on any canvas, and the font engine would stall making it.
constexpr int kMaxEm = 16384;
// Bounds of the caches; a drawing with more clears them and starts again.
constexpr size_t kMaxFaces = 4096;
constexpr size_t kMaxMaskBytes = size_t{64} << 20;
// A glyph reaching further than this from its point is drawn straight
// instead: few of them fit on a canvas, and their coverage would be large.
constexpr double kMaxMaskReach = 96.0;
// Kept masks' rows are padded to whole groups of this many pixels, which
// the blend lays at a time: a glyph's rows are short, and a pixel-by-pixel
// tail on each would cost as much as the rest.
constexpr int kBlendQuantum = 4;
constexpr double kPi = std::numbers::pi;

}  // namespace

QColor QtColor(TColor c) {
  return QColor::fromRgb(Argb(c));
}

Qt::BrushStyle QtBrushStyle(BrushStyle style) {
  switch (style) {
    case BrushStyle::Solid:
      return Qt::SolidPattern;
    case BrushStyle::Horizontal:
      return Qt::HorPattern;
    case BrushStyle::Vertical:
      return Qt::VerPattern;
    case BrushStyle::FDiagonal:
      return Qt::FDiagPattern;
    case BrushStyle::BDiagonal:
      return Qt::BDiagPattern;
    case BrushStyle::Cross:
      return Qt::CrossPattern;
    case BrushStyle::DiagCross:
      return Qt::DiagCrossPattern;
    default:
      return Qt::NoBrush;
  }
}

QtCanvas::QtCanvas(int width, int height, Blank blank) : blank_(blank) {
  Resize(width, height);
}

QtCanvas::~QtCanvas() {
  layer_.reset();
  EndPainting();
}

const QImage& QtCanvas::Image() {
  // Whoever takes a copy shares the pixels, so the next drawing must detach
  // first.
  EndPainting();
  pixelsValid_ = false;
  return image_;
}

void QtCanvas::Resize(int width, int height) {
  EndPainting();
  image_ =
      QImage(std::max(width, 1), std::max(height, 1),
             blank_ == Blank::White ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  image_.fill(blank_ == Blank::White ? Qt::white : Qt::transparent);
  pixelsValid_ = false;
}

void QtCanvas::ForgetPenAndBrush() {
  penSet_ = false;
  onePen_ = true;
  brushSet_ = false;
}

bool QtCanvas::StartLayer(LayerDrawing drawing) {
  if (layer_ == nullptr) layer_ = std::make_unique<LayerThread>();
  layer_->Start(image_.width(), image_.height(), std::move(drawing));
  return true;
}

bool QtCanvas::LayerDone(std::chrono::microseconds wait) {
  return layer_ == nullptr || layer_->Wait(wait);
}

bool QtCanvas::MergeLayer() {
  if (layer_ == nullptr) return false;
  QtCanvas* layer = layer_->TakeFinished();
  if (layer == nullptr) return false;
  const QImage& pixels = layer->Image();
  if (pixels.size() != image_.size()) return false;
  Painter(PainterUse::Text).drawImage(0, 0, pixels);
  if (layer->penSet_) {
    // Drawn here, the layer's pens would have begun the dash pattern afresh
    // unless every one of them was this canvas's pen.
    const bool keepsPattern = layer->onePen_ && layer->pen_ == pen_;
    SetPen(layer->pen_);
    if (!keepsPattern) stylePhase_ = 0;
  }
  if (layer->brushSet_) SetBrush(layer->brush_);
  // A picture's worth of memory, held only while a redraw needs it.
  layer_->FreePixels();
  return true;
}

void QtCanvas::DropLayer() {
  if (layer_ == nullptr) return;
  layer_->Stop();
  layer_->FreePixels();
}

void QtCanvas::TakePixels() {
  pixels_.Bits = reinterpret_cast<uint32_t*>(image_.bits());
  pixels_.Stride = image_.bytesPerLine() / 4;
  pixels_.Width = image_.width();
  pixels_.Height = image_.height();
  pixelsValid_ = true;
}

void QtCanvas::EndPainting() {
  if (painter_.isActive()) painter_.end();
  painterUse_ = PainterUse::None;
}

QPainter& QtCanvas::Painter(PainterUse use) {
  if (!painter_.isActive()) {
    Pixels();
    painter_.begin(&image_);
    painterUse_ = PainterUse::None;
  }
  if (painterUse_ == use) return painter_;
  painterUse_ = use;
  switch (use) {
    case PainterUse::Fill:
      painter_.setPen(Qt::NoPen);
      painter_.setBrush(QBrush(QtColor(brush_.Color), QtBrushStyle(brush_.Style)));
      painter_.setCompositionMode(MixMode(pen_.Mix));
      break;
    case PainterUse::WideStroke:
      painter_.setPen(
          QPen(QtColor(pen_.Color), pen_.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      painter_.setBrush(Qt::NoBrush);
      painter_.setCompositionMode(MixMode(pen_.Mix));
      break;
    case PainterUse::Text:
      painter_.setPen(QtColor(textColor_));
      if (face_ != nullptr) painter_.setFont(face_->Font);
      painter_.setCompositionMode(blank_ == Blank::Underlay
                                      ? QPainter::CompositionMode_DestinationOver
                                      : QPainter::CompositionMode_SourceOver);
      break;
    case PainterUse::None:
      break;
  }
  return painter_;
}

void QtCanvas::SetPen(const Pen& pen) {
  if (penSet_ && !(pen == pen_)) onePen_ = false;
  penSet_ = true;
  if (pen == pen_) return;
  pen_ = pen;
  style_ = pen.Width > 1 ? &kSolidLine : &StyleMask(pen.Style);
  stylePhase_ = 0;
  painterUse_ = PainterUse::None;
}

void QtCanvas::SetBrush(const Brush& brush) {
  brushSet_ = true;
  if (brush == brush_) return;
  brush_ = brush;
  painterUse_ = PainterUse::None;
}

void QtCanvas::MoveTo(int32_t x, int32_t y) {
  posX_ = x;
  posY_ = y;
}

void QtCanvas::ThinSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  DrawThinLine(Pixels(), x1, y1, x2, y2, Argb(pen_.Color), pen_.Mix == PenMix::Xor, *style_,
               stylePhase_);
}

void QtCanvas::LineTo(int32_t x, int32_t y) {
  if (pen_.Style != PenStyle::Null) {
    if (ThinPen()) {
      ThinSegment(posX_, posY_, x, y);
    } else {
      Painter(PainterUse::WideStroke).drawLine(posX_, posY_, x, y);
    }
  }
  posX_ = x;
  posY_ = y;
}

void QtCanvas::ScreenLines(std::span<const ScreenPoint> points) {
  if (points.size() < 2 || pen_.Style == PenStyle::Null || !ThinPen()) {
    Canvas::ScreenLines(points);
    return;
  }
  // The curves of the preview come as dozens of lines of a pixel or less.
  const PixelBuffer& px = Pixels();
  const uint32_t color = Argb(pen_.Color);
  const bool copy = pen_.Mix == PenMix::Copy;
  const int64_t period = static_cast<int64_t>(style_->On.size());
  for (size_t i = 1; i < points.size(); ++i) {
    const ScreenPoint& a = points[i - 1];
    const ScreenPoint& b = points[i];
    // A line of no length draws nothing and moves no dash; one to a pixel
    // next to its start draws its start alone, where the dash stands.
    if (copy && std::abs(static_cast<int64_t>(b.x) - a.x) <= 1 &&
        std::abs(static_cast<int64_t>(b.y) - a.y) <= 1) {
      if (!(a == b)) {
        if (period == 0 || style_->On[static_cast<size_t>(stylePhase_ % period)] != 0) {
          PutPixel(px, a.x, a.y, color);
        }
        ++stylePhase_;
      }
    } else if (!(a == b)) {
      ThinSegment(a.x, a.y, b.x, b.y);
    }
    PutPixel(px, b.x, b.y, color);
  }
  posX_ = points.back().x;
  posY_ = points.back().y;
}

void QtCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
  PutPixel(Pixels(), x, y, Argb(color));
}

void QtCanvas::Outline(std::span<const ScreenPoint> points, bool closed) {
  if (pen_.Style == PenStyle::Null || points.size() < 2) return;
  if (ThinPen()) {
    for (size_t i = 1; i < points.size(); ++i) {
      ThinSegment(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    }
    if (closed) ThinSegment(points.back().x, points.back().y, points[0].x, points[0].y);
  } else {
    points_.clear();
    for (const ScreenPoint& p : points) points_.append(QPoint(p.x, p.y));
    QPainter& painter = Painter(PainterUse::WideStroke);
    if (closed) {
      painter.drawPolygon(points_.constData(), static_cast<int>(points_.size()));
    } else {
      painter.drawPolyline(points_.constData(), static_cast<int>(points_.size()));
    }
  }
}

void QtCanvas::FillPolygon(std::span<const ScreenPoint> points) {
  if (brush_.Style == BrushStyle::Hollow || points.size() < 3) return;
  points_.clear();
  for (const ScreenPoint& p : points) points_.append(QPoint(p.x, p.y));
  Painter(PainterUse::Fill)
      .drawPolygon(points_.constData(), static_cast<int>(points_.size()), Qt::OddEvenFill);
}

void QtCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) return;
  if (brush_.Style != BrushStyle::Hollow) {
    // Without a pen the fill takes the outline's place, one pixel less each
    // way; with one it lies inside the outline. Held to just around the
    // image, so a huge rectangle stays a small fill.
    int64_t inset = pen_.Style == PenStyle::Null ? 0 : 1;
    int64_t left = std::max<int64_t>(x1 + inset, -1);
    int64_t top = std::max<int64_t>(y1 + inset, -1);
    int64_t right = std::min<int64_t>(static_cast<int64_t>(x2) - 1, image_.width() + 1);
    int64_t bottom = std::min<int64_t>(static_cast<int64_t>(y2) - 1, image_.height() + 1);
    if (left < right && top < bottom) {
      Painter(PainterUse::Fill)
          .drawRect(QRectF(static_cast<double>(left), static_cast<double>(top),
                           static_cast<double>(right - left), static_cast<double>(bottom - top)));
    }
  }
  const ScreenPoint corners[] = {{x1, y1}, {x2 - 1, y1}, {x2 - 1, y2 - 1}, {x1, y2 - 1}};
  Outline(corners, true);
}

void QtCanvas::Polyline(std::span<const ScreenPoint> points) {
  Outline(points, false);
}

void QtCanvas::Polygon(std::span<const ScreenPoint> points) {
  FillPolygon(points);
  Outline(points, true);
}

std::unique_ptr<QtCanvas::FontFace> QtCanvas::MakeFace(const LogFont& font, int id) {
  auto face = std::make_unique<FontFace>();
  face->Id = id;
  std::string name = FaceNameOf(font.FaceName);
  face->Vertical = name.starts_with('@');
  if (face->Vertical) name.erase(0, 1);
  const QString family = QString::fromUtf8(SubstituteFace(name));
  // A positive height is the cell (ascent + descent), a negative one the em.
  const double cellPerEm = CellPerEm(family);
  const double wantEm = font.Height >= 0 ? std::abs(static_cast<double>(font.Height)) / cellPerEm
                                         : -static_cast<double>(font.Height);
  int em = static_cast<int>(std::lround(std::min(wantEm, kMaxEm + 1.0)));
  face->Visible = font.Height != 0 && em > 0 && em <= kMaxEm;
  em = std::clamp(em, 1, kMaxEm);
  face->Font = QFont(family);
  face->Font.setPixelSize(em);
  const int64_t width = std::min<int64_t>(std::abs(static_cast<int64_t>(font.Width)), kMaxEm);
  face->HalfWidth = width != 0 ? static_cast<int>(width) : (em + 1) / 2;
  // Japanese faces set a half-width character in half the em.
  if (width != 0) {
    face->Font.setStretch(
        static_cast<int>(std::clamp<int64_t>(std::llround(200.0 * width / em), 1, 4000)));
  }
  face->Font.setWeight(
      static_cast<QFont::Weight>(std::clamp(font.Weight == 0 ? 400 : font.Weight, 1, 1000)));
  face->Font.setItalic(font.Italic);
  face->Font.setUnderline(font.Underline);
  face->Font.setStrikeOut(font.StrikeOut);
  face->Outlined = !font.Italic && !font.Underline && !font.StrikeOut;
  const QFontMetricsF metrics(face->Font);
  face->CellHeight = static_cast<int>(std::lround(metrics.height()));
  face->Ascent = metrics.ascent();
  return face;
}

void QtCanvas::SetFont(const LogFont& font) {
  // The turn is not part of the face: a drawing of texts at countless angles
  // still has only a few faces.
  escapement_ = static_cast<int32_t>(font.Escapement % 3600);
  if (escapement_ < 0) escapement_ += 3600;
  // Runs one after another mostly keep their face and turn only.
  if (face_ == nullptr || !SameFace(font, faceFont_)) TakeFace(font);
  // Steps of the turn that move no corner of a cell by a pixel, a multiple
  // of four so quarter turns are exact; none for a cell too big to keep.
  for (int full = 0; full < 2; ++full) {
    const double advance = full != 0 ? 2.0 * face_->HalfWidth : face_->HalfWidth;
    const double reach = std::hypot(advance, static_cast<double>(face_->CellHeight));
    const int steps =
        reach > kMaxMaskReach ? 0 : 4 * std::max(1, static_cast<int>(std::ceil(kPi * reach / 2)));
    turnSteps_[full] = steps;
    turnStep_[full] =
        steps == 0 ? 0 : static_cast<int>(std::lround(escapement_ / 3600.0 * steps)) % steps;
  }
  painterUse_ = PainterUse::None;
}

bool QtCanvas::SameFace(const LogFont& a, const LogFont& b) {
  return a.Height == b.Height && a.Width == b.Width && a.Weight == b.Weight &&
         a.Italic == b.Italic && a.Underline == b.Underline && a.StrikeOut == b.StrikeOut &&
         a.FaceName == b.FaceName;
}

void QtCanvas::TakeFace(const LogFont& font) {
  std::string key;
  for (int32_t v : {font.Height, font.Width, font.Weight}) {
    key.append(reinterpret_cast<const char*>(&v), sizeof v);
  }
  key += static_cast<char>((font.Italic ? 1 : 0) | (font.Underline ? 2 : 0) |
                           (font.StrikeOut ? 4 : 0));
  key += font.FaceName;
  auto it = faces_.find(key);
  if (it == faces_.end()) {
    // A drawing of countless sizes must not grow the cache without bound.
    if (faces_.size() >= kMaxFaces) {
      faces_.clear();
      masks_.Clear();
      outlines_.clear();
      maskBytes_ = 0;
    }
    it = faces_.emplace(std::move(key), MakeFace(font, nextFaceId_++)).first;
  }
  face_ = it->second.get();
  faceFont_ = font;
}

void QtCanvas::SetTextColor(TColor color) {
  if (color == textColor_) return;
  textColor_ = color;
  painterUse_ = PainterUse::None;
}

QTransform QtCanvas::CellTransform(bool fullWidth, double degrees) const {
  QTransform cell;
  cell.rotate(-degrees);
  if (face_->Vertical && fullWidth) {
    // The vertical variant stands a full-width glyph upright when the run
    // goes downwards: turned a quarter counter-clockwise in its cell.
    const double advance = 2.0 * face_->HalfWidth;
    cell.translate(advance / 2, face_->CellHeight / 2.0);
    cell.rotate(-90);
    cell.translate(-advance / 2, -face_->CellHeight / 2.0);
  }
  return cell;
}

void QtCanvas::DrawGlyphDirect(int32_t x, int32_t y, const std::string& glyph, bool fullWidth) {
  QPainter& painter = Painter(PainterUse::Text);
  painter.setTransform(CellTransform(fullWidth, escapement_ / 10.0) *
                       QTransform::fromTranslate(x, y));
  painter.drawText(QPointF(0, face_->Ascent), QString::fromUtf8(Utf8FromSjis(glyph)));
  painter.resetTransform();
}

quint32 QtCanvas::GlyphIndex(const QString& text) {
  if (!face_->Raw.isValid()) face_->Raw = QRawFont::fromFont(face_->Font);
  const QList<quint32> indexes = face_->Raw.glyphIndexesForString(text);
  return indexes.size() == 1 ? indexes[0] : 0;
}

const FlatOutline& QtCanvas::Outline(const std::string& glyph, uint64_t code) {
  const uint64_t key = MaskKey(face_->Id, 0, code);
  auto it = outlines_.find(key);
  if (it != outlines_.end()) return it->second;
  const QString text = QString::fromUtf8(Utf8FromSjis(glyph));
  // One the face lacks comes from the face that lends it, as drawn.
  QPainterPath path;
  if (const quint32 index = GlyphIndex(text); index != 0) {
    path = face_->Raw.pathForGlyph(index);
    path.translate(0, face_->Ascent);
  } else {
    path.addText(QPointF(0, face_->Ascent), face_->Font, text);
  }
  FlatOutline outline = FlattenPath(path);
  maskBytes_ += outline.Points.size() * sizeof(QPointF);
  return outlines_.emplace(key, std::move(outline)).first->second;
}

QtCanvas::GlyphMask QtCanvas::EngineCoverage(const std::string& glyph, bool fullWidth,
                                             const QTransform& cell) {
  // The cell with room all round for overhanging strokes, turned as drawn.
  const double advance = fullWidth ? 2.0 * face_->HalfWidth : face_->HalfWidth;
  const double margin = face_->CellHeight / 4.0 + 2;
  const QRect bounds =
      cell.mapRect(QRectF(-margin, -margin, advance + 2 * margin, face_->CellHeight + 2 * margin))
          .toAlignedRect();
  // One scratch image serves every glyph, cleared as far as the glyph may
  // reach, so its paint engine is made once rather than once a glyph.
  if (scratch_.width() < bounds.width() || scratch_.height() < bounds.height()) {
    scratch_ = QImage(std::max(scratch_.width(), bounds.width()),
                      std::max(scratch_.height(), bounds.height()), QImage::Format_Alpha8);
  }
  const int width = bounds.width();
  const int height = bounds.height();
  for (int row = 0; row < height; ++row) std::memset(scratch_.scanLine(row), 0, width);
  QPainter p(&scratch_);
  p.setClipRect(0, 0, width, height);
  p.setFont(face_->Font);
  p.setPen(Qt::black);
  p.setTransform(cell * QTransform::fromTranslate(-bounds.left(), -bounds.top()));
  // A glyph the face holds is drawn by its index, the same pixels without
  // shaping a text for it. A decorated face's lines come with the text.
  const QString text = QString::fromUtf8(Utf8FromSjis(glyph));
  const quint32 index = face_->Outlined ? GlyphIndex(text) : 0;
  if (index != 0) {
    QGlyphRun run;
    run.setRawFont(face_->Raw);
    run.setGlyphIndexes({index});
    run.setPositions({QPointF(0, face_->Ascent)});
    p.drawGlyphRun(QPointF(0, 0), run);
  } else {
    p.drawText(QPointF(0, face_->Ascent), text);
  }
  p.end();
  const QImage& coverage = scratch_;
  // Only the rows and columns the glyph touches are kept.
  int x0 = width, x1 = 0, y0 = height, y1 = 0;
  for (int row = 0; row < height; ++row) {
    const uchar* line = coverage.constScanLine(row);
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
  GlyphMask mask;
  const int touched = std::max(0, x1 - x0);
  mask.Left = bounds.left() + x0;
  mask.Top = bounds.top() + y0;
  mask.Width = PaddedWidth(touched, kBlendQuantum);
  mask.Height = std::max(0, y1 - y0);
  mask.Alpha.assign(static_cast<size_t>(mask.Width) * mask.Height, 0);
  for (int row = 0; row < mask.Height; ++row) {
    std::memcpy(mask.Alpha.data() + static_cast<size_t>(row) * mask.Width,
                coverage.constScanLine(y0 + row) + x0, static_cast<size_t>(touched));
  }
  return mask;
}

const CoverageView* QtCanvas::Keep(uint64_t key, const GlyphMask& mask) {
  if (maskBytes_ + mask.Alpha.size() > kMaxMaskBytes) {
    masks_.Clear();
    outlines_.clear();
    maskBytes_ = 0;
  }
  maskBytes_ += mask.Alpha.size() + sizeof(CoverageView);
  return masks_.Insert(key, mask);
}

const CoverageView* QtCanvas::Mask(const std::string& glyph, bool fullWidth) {
  const int steps = turnSteps_[fullWidth ? 1 : 0];
  if (steps == 0 || glyph.size() > 2) return nullptr;
  const int step = turnStep_[fullWidth ? 1 : 0];
  uint64_t code = 0;
  for (unsigned char b : glyph) code = (code << 8) | b;
  code |= static_cast<uint64_t>(glyph.size()) << 16;
  const auto keyAt = [this, code](int at) { return MaskKey(face_->Id, at, code); };
  const uint64_t key = keyAt(step);
  if (const CoverageView* kept = masks_.Find(key)) return kept;

  const double degrees = 360.0 * step / steps;
  const int quarter = steps / 4;
  // At quarter turns the font engine's hinting still lines strokes up with
  // the pixels, and upright and vertical texts are most of any drawing. A
  // slanted or decorated face's outline places the slant and the lines
  // otherwise than the engine does; such faces are rare enough to leave to
  // it.
  if (!face_->Outlined || step % quarter == 0) {
    return Keep(key, EngineCoverage(glyph, fullWidth, CellTransform(fullWidth, degrees)));
  }
  // The turn comes last in the cell's transform and the pixel grid turns
  // onto itself, so a step whole quarter turns from a kept one is that
  // one's coverage turned: one fill serves four steps.
  for (int turns = 1; turns < 4; ++turns) {
    const int from = (step + (4 - turns) * quarter) % steps;
    if (const CoverageView* kept = masks_.Find(keyAt(from))) {
      return Keep(key, QuarterTurned(*kept, turns, kBlendQuantum));
    }
  }
  return Keep(key,
              FillCoverage(Outline(glyph, code), CellTransform(fullWidth, degrees), kBlendQuantum));
}

void QtCanvas::LayMask(const CoverageView& mask, int32_t x, int32_t y) {
  const PixelBuffer& px = Pixels();
  const int64_t left = static_cast<int64_t>(x) + mask.Left;
  const int64_t top = static_cast<int64_t>(y) + mask.Top;
  const int64_t x0 = std::max<int64_t>(left, 0);
  const int64_t x1 = std::min<int64_t>(left + mask.Width, px.Width);
  const int64_t y0 = std::max<int64_t>(top, 0);
  const int64_t y1 = std::min<int64_t>(top + mask.Height, px.Height);
  if (x0 >= x1) return;
  const uint32_t color = Argb(textColor_);
  const auto lay = blank_ == Blank::Underlay ? BlendCoverageRowUnder : BlendCoverageRow;
  // The glyph's rows lie a canvas row apart, each on lines of its own: asked
  // for all at once, their fetches overlap instead of waiting in turn.
  for (int64_t row = y0; row < y1; ++row) {
    const uint32_t* pixels = px.Bits + row * px.Stride;
    __builtin_prefetch(pixels + x0, 1);
    __builtin_prefetch(pixels + x1 - 1, 1);
  }
  for (int64_t row = y0; row < y1; ++row) {
    const uint8_t* a = mask.Alpha + (row - top) * mask.Width + (x0 - left);
    lay(px.Bits + row * px.Stride + x0, a, static_cast<size_t>(x1 - x0), color);
  }
}

void QtCanvas::TextOut(int32_t x, int32_t y, const std::string& glyph) {
  if (face_ == nullptr || !face_->Visible || glyph.empty()) return;
  const bool fullWidth = glyph.size() > 1;
  // On a layer that stacks beneath, the glyph goes first and its cell under
  // it.
  const bool beneath = blank_ == Blank::Underlay;
  if (!beneath) FillCell(x, y, fullWidth);
  if (const CoverageView* mask = Mask(glyph, fullWidth)) {
    LayMask(*mask, x, y);
  } else {
    DrawGlyphDirect(x, y, glyph, fullWidth);
  }
  if (beneath) FillCell(x, y, fullWidth);
}

void QtCanvas::FillCell(int32_t x, int32_t y, bool fullWidth) {
  if (brush_.Style == BrushStyle::Hollow) return;
  const double advance = fullWidth ? 2.0 * face_->HalfWidth : face_->HalfWidth;
  QPainter& painter = Painter(PainterUse::Text);
  painter.setTransform(CellTransform(fullWidth, escapement_ / 10.0) *
                       QTransform::fromTranslate(x, y));
  painter.fillRect(QRectF(0, 0, advance, face_->CellHeight), QtColor(brush_.Color));
  painter.resetTransform();
}

Bitmap QtCanvas::CopyToBitmap() {
  const PixelBuffer& px = Pixels();
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

void QtCanvas::DrawBitmap(int32_t x, int32_t y, const Bitmap& bitmap) {
  const PixelBuffer& px = Pixels();
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
