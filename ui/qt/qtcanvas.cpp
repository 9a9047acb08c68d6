// The QImage canvas: thin lines go to the pixel walker, everything else
// through one QPainter set up anew only when what it draws changes.
#include "ui/qt/qtcanvas.h"

#include <QFontMetricsF>
#include <QHash>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/sjis.h"

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

uint32_t Argb(TColor c) {
  return kOpaque | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

TColor FromArgb(uint32_t p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

// The dash patterns of one-pixel pens, in pixels on and off.
const LineStyleMask& StyleMask(PenStyle style) {
  static const LineStyleMask solid;
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
      return solid;
  }
}

QPainter::CompositionMode MixMode(PenMix mix) {
  return mix == PenMix::Xor ? QPainter::RasterOp_SourceXorDestination
                            : QPainter::CompositionMode_SourceOver;
}

// The cell height (ascent + descent) of a family per pixel of its em.
double CellPerEm(const QString& family) {
  static QHash<QString, double> cache;
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

QString SubstituteFace(const QString& face) {
  struct Substitute {
    const char* Host;
    const char* Installed;
  };
  static const Substitute kTable[] = {
      {"ＭＳ ゴシック", "IPAGothic"},     {"MS Gothic", "IPAGothic"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"},  {"MS PGothic", "IPAPGothic"},
      {"ＭＳ ＵＩ Gothic", "IPAPGothic"}, {"MS UI Gothic", "IPAPGothic"},
      {"ＭＳ 明朝", "IPAMincho"},         {"MS Mincho", "IPAMincho"},
      {"ＭＳ Ｐ明朝", "IPAPMincho"},      {"MS PMincho", "IPAPMincho"},
      {"メイリオ", "IPAPGothic"},         {"Meiryo", "IPAPGothic"},
  };
  for (const Substitute& s : kTable) {
    if (face.compare(QString::fromUtf8(s.Host), Qt::CaseInsensitive) == 0) {
      return QString::fromUtf8(s.Installed);
    }
  }
  // Any other face keeps the Japanese glyphs of the closest installed kind.
  bool mincho = face.contains(QString::fromUtf8("明朝")) ||
                face.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive);
  return mincho ? QStringLiteral("IPAMincho") : QStringLiteral("IPAGothic");
}

QtCanvas::QtCanvas(int width, int height) {
  Resize(width, height);
}

QtCanvas::~QtCanvas() {
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
  image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  image_.fill(Qt::white);
  pixelsValid_ = false;
}

const PixelBuffer& QtCanvas::Pixels() {
  if (!pixelsValid_) {
    pixels_.Bits = reinterpret_cast<uint32_t*>(image_.bits());
    pixels_.Stride = image_.bytesPerLine() / 4;
    pixels_.Width = image_.width();
    pixels_.Height = image_.height();
    pixelsValid_ = true;
  }
  return pixels_;
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
      painter_.setFont(font_);
      painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
      break;
    case PainterUse::None:
      break;
  }
  return painter_;
}

void QtCanvas::SetPen(const Pen& pen) {
  if (pen == pen_) return;
  pen_ = pen;
  style_ = pen.Width > 1 ? LineStyleMask{} : StyleMask(pen.Style);
  stylePhase_ = 0;
  painterUse_ = PainterUse::None;
}

void QtCanvas::SetBrush(const Brush& brush) {
  if (brush == brush_) return;
  brush_ = brush;
  painterUse_ = PainterUse::None;
}

void QtCanvas::MoveTo(int32_t x, int32_t y) {
  posX_ = x;
  posY_ = y;
}

void QtCanvas::ThinSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  DrawThinLine(Pixels(), x1, y1, x2, y2, Argb(pen_.Color), pen_.Mix == PenMix::Xor, style_,
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

void QtCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
  const PixelBuffer& px = Pixels();
  if (x < 0 || y < 0 || x >= px.Width || y >= px.Height) return;
  px.Bits[y * px.Stride + x] = Argb(color);
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

void QtCanvas::SetFont(const LogFont& font) {
  QString face = QString::fromUtf8(Utf8FromSjis(font.FaceName));
  vertical_ = face.startsWith(QLatin1Char('@'));
  if (vertical_) face.remove(0, 1);
  QString family = SubstituteFace(face);
  // A positive height is the cell (ascent + descent), a negative one the em.
  int em = font.Height >= 0 ? static_cast<int>(std::lround(font.Height / CellPerEm(family)))
                            : -font.Height;
  fontVisible_ = font.Height != 0 && em > 0;
  em = std::max(em, 1);
  font_ = QFont(family);
  font_.setPixelSize(em);
  int width = std::abs(font.Width);
  halfWidth_ = width != 0 ? width : (em + 1) / 2;
  // Japanese faces set a half-width character in half the em.
  if (width != 0)
    font_.setStretch(std::clamp(static_cast<int>(std::lround(200.0 * width / em)), 1, 4000));
  font_.setWeight(
      static_cast<QFont::Weight>(std::clamp(font.Weight == 0 ? 400 : font.Weight, 1, 1000)));
  font_.setItalic(font.Italic);
  font_.setUnderline(font.Underline);
  font_.setStrikeOut(font.StrikeOut);
  QFontMetricsF metrics(font_);
  cellHeight_ = static_cast<int>(std::lround(metrics.height()));
  ascent_ = metrics.ascent();
  rotation_ = -font.Escapement / 10.0;
  painterUse_ = PainterUse::None;
}

void QtCanvas::SetTextColor(TColor color) {
  if (color == textColor_) return;
  textColor_ = color;
  painterUse_ = PainterUse::None;
}

void QtCanvas::TextOut(int32_t x, int32_t y, const std::string& glyph) {
  if (!fontVisible_ || glyph.empty()) return;
  QString text = QString::fromUtf8(Utf8FromSjis(glyph));
  bool fullWidth = glyph.size() > 1;
  double advance = fullWidth ? 2.0 * halfWidth_ : halfWidth_;
  QPainter& painter = Painter(PainterUse::Text);
  QTransform cell;
  cell.translate(x, y);
  cell.rotate(rotation_);
  if (vertical_ && fullWidth) {
    // The vertical variant stands a full-width glyph upright when the run
    // goes downwards: turned a quarter counter-clockwise in its cell.
    cell.translate(advance / 2, cellHeight_ / 2.0);
    cell.rotate(-90);
    cell.translate(-advance / 2, -cellHeight_ / 2.0);
  }
  painter.setTransform(cell);
  if (brush_.Style != BrushStyle::Hollow) {
    painter.fillRect(QRectF(0, 0, advance, cellHeight_), QtColor(brush_.Color));
  }
  painter.drawText(QPointF(0, ascent_), text);
  painter.resetTransform();
}

Bitmap QtCanvas::CopyToBitmap() {
  const PixelBuffer& px = Pixels();
  Bitmap bitmap{px.Width, px.Height, {}};
  bitmap.Pixels.reserve(static_cast<size_t>(px.Width) * px.Height);
  for (int32_t y = 0; y < px.Height; ++y) {
    const uint32_t* row = px.Bits + y * px.Stride;
    for (int32_t x = 0; x < px.Width; ++x) bitmap.Pixels.push_back(FromArgb(row[x]));
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
