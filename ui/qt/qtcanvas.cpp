// Qt's fonts as the raster canvas's glyph source, and its pixels as a QImage.
#include "ui/qt/qtcanvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <utility>

#include "common/sjis.h"
#include "raster/verticalforms.h"
#include "text/facenames.h"

namespace {

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

QTransform ToQt(const Affine& a) {
  return QTransform(a.m11, a.m12, a.m21, a.m22, a.dx, a.dy);
}

FlatOutline OutlineOfPath(const QPainterPath& path) {
  OutlineBuilder builder;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        builder.MoveTo({e.x, e.y});
        break;
      case QPainterPath::LineToElement:
        builder.LineTo({e.x, e.y});
        break;
      case QPainterPath::CurveToElement:
        if (i + 2 < path.elementCount()) {
          const QPainterPath::Element c2 = path.elementAt(i + 1);
          const QPainterPath::Element end = path.elementAt(i + 2);
          builder.CubicTo({e.x, e.y}, {c2.x, c2.y}, {end.x, end.y});
          i += 2;
        }
        break;
      case QPainterPath::CurveToDataElement:
        break;
    }
  }
  return builder.Take();
}

class QtGlyphFace : public GlyphFace {
 public:
  explicit QtGlyphFace(const LogFont& font);
  Affine InCell(bool fullWidth) const override;
  FlatOutline Outline(const std::string& glyph) override;
  bool Coverage(const std::string& glyph, const Affine& cell, int rowQuantum,
                CoverageMask& mask) override;

 private:
  // The index of the glyph (its text) in the face, its vertical form in a
  // vertical face, or 0 when the face lacks it; the raw font is taken on
  // first use.
  quint32 GlyphIndex(const std::string& glyph, const QString& text);

  QFont font_;
  QRawFont raw_;
  bool vertical_ = false;
  const std::unordered_map<uint16_t, uint16_t>* forms_ = nullptr;  // of a vertical face
  double ascent_ = 0.0;
};

QtGlyphFace::QtGlyphFace(const LogFont& font) {
  std::string name = FaceNameOf(font.FaceName);
  vertical_ = name.starts_with('@');
  if (vertical_) name.erase(0, 1);
  const QString family = QString::fromUtf8(SubstituteFace(name));
  // A positive height is the cell (ascent + descent), a negative one the em.
  const double cellPerEm = CellPerEm(family);
  const double wantEm = font.Height >= 0 ? std::abs(static_cast<double>(font.Height)) / cellPerEm
                                         : -static_cast<double>(font.Height);
  int em = static_cast<int>(std::lround(std::min(wantEm, kMaxEm + 1.0)));
  Visible = font.Height != 0 && em > 0 && em <= kMaxEm;
  em = std::clamp(em, 1, kMaxEm);
  font_ = QFont(family);
  font_.setPixelSize(em);
  const int64_t width = std::min<int64_t>(std::abs(static_cast<int64_t>(font.Width)), kMaxEm);
  HalfWidth = width != 0 ? static_cast<int>(width) : (em + 1) / 2;
  // Japanese faces set a half-width character in half the em.
  if (width != 0) {
    font_.setStretch(
        static_cast<int>(std::clamp<int64_t>(std::llround(200.0 * width / em), 1, 4000)));
  }
  font_.setWeight(
      static_cast<QFont::Weight>(std::clamp(font.Weight == 0 ? 400 : font.Weight, 1, 1000)));
  font_.setItalic(font.Italic);
  // A slanted face is left to the engine at every turn, lines and all; any
  // other has its lines added by the canvas as bars, placed as GDI places
  // them, from the face's own metrics.
  Outlined = !font.Italic;
  font_.setUnderline(font.Underline && !Outlined);
  font_.setStrikeOut(font.StrikeOut && !Outlined);
  const QFontMetricsF metrics(font_);
  CellHeight = static_cast<int>(std::lround(metrics.height()));
  ascent_ = metrics.ascent();
  if (Outlined) {
    const int ascent = static_cast<int>(std::lround(ascent_));
    const int thickness = static_cast<int>(std::lround(metrics.lineWidth()));
    if (font.Underline) {
      Bars.push_back(
          TextBar(ascent, -static_cast<int>(std::lround(metrics.underlinePos())), thickness));
    }
    if (font.StrikeOut) {
      Bars.push_back(
          TextBar(ascent, static_cast<int>(std::lround(metrics.strikeOutPos())), thickness));
    }
  }
}

Affine QtGlyphFace::InCell(bool fullWidth) const {
  if (!vertical_ || !fullWidth) return {};
  return VerticalInCell(2.0 * HalfWidth, CellHeight);
}

quint32 QtGlyphFace::GlyphIndex(const std::string& glyph, const QString& text) {
  if (!raw_.isValid()) {
    raw_ = QRawFont::fromFont(font_);
    if (vertical_) {
      // Read once a family for each thread.
      thread_local QHash<QString, std::shared_ptr<std::unordered_map<uint16_t, uint16_t>>> kept;
      auto& forms = kept[raw_.familyName() + QLatin1Char('/') + raw_.styleName()];
      if (forms == nullptr) {
        const QByteArray gsub = raw_.fontTable("GSUB");
        forms = std::make_shared<std::unordered_map<uint16_t, uint16_t>>(
            VerticalForms(std::string_view(gsub.constData(), static_cast<size_t>(gsub.size()))));
      }
      forms_ = forms.get();
    }
  }
  const QList<quint32> indexes = raw_.glyphIndexesForString(text);
  if (indexes.size() != 1) return 0;
  // Half-width glyphs lie on their side in vertical writing, as written.
  if (forms_ != nullptr && glyph.size() > 1) {
    const auto form = forms_->find(static_cast<uint16_t>(indexes[0]));
    if (form != forms_->end()) return form->second;
  }
  return indexes[0];
}

FlatOutline QtGlyphFace::Outline(const std::string& glyph) {
  const QString text = QString::fromUtf8(Utf8FromSjis(glyph));
  // One the face lacks comes from the face that lends it, as drawn.
  QPainterPath path;
  if (const quint32 index = GlyphIndex(glyph, text); index != 0) {
    path = raw_.pathForGlyph(index);
    path.translate(0, ascent_);
  } else {
    path.addText(QPointF(0, ascent_), font_, text);
  }
  return OutlineOfPath(path);
}

bool QtGlyphFace::Coverage(const std::string& glyph, const Affine& cellMap, int rowQuantum,
                           CoverageMask& mask) {
  const QTransform cell = ToQt(cellMap);
  // The cell with room all round for overhanging strokes, turned as drawn.
  const double advance = glyph.size() > 1 ? 2.0 * HalfWidth : HalfWidth;
  const double margin = CellHeight / 4.0 + 2;
  const QRect bounds =
      cell.mapRect(QRectF(-margin, -margin, advance + 2 * margin, CellHeight + 2 * margin))
          .toAlignedRect();
  // One scratch image serves every glyph of the thread's faces, cleared as
  // far as the glyph may reach, so its paint engine is made once rather
  // than once a glyph, and its memory once rather than once a face.
  thread_local QImage scratch;
  if (scratch.width() < bounds.width() || scratch.height() < bounds.height()) {
    scratch = QImage(std::max(scratch.width(), bounds.width()),
                     std::max(scratch.height(), bounds.height()), QImage::Format_Alpha8);
  }
  const int width = bounds.width();
  const int height = bounds.height();
  for (int row = 0; row < height; ++row) std::memset(scratch.scanLine(row), 0, width);
  QPainter p(&scratch);
  p.setClipRect(0, 0, width, height);
  p.setFont(font_);
  p.setPen(Qt::black);
  p.setTransform(cell * QTransform::fromTranslate(-bounds.left(), -bounds.top()));
  // A glyph the face holds is drawn by its index, the same pixels without
  // shaping a text for it. A decorated face's lines come with the text.
  const QString text = QString::fromUtf8(Utf8FromSjis(glyph));
  const quint32 index = Outlined ? GlyphIndex(glyph, text) : 0;
  if (index != 0) {
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes({index});
    run.setPositions({QPointF(0, ascent_)});
    p.drawGlyphRun(QPointF(0, 0), run);
  } else {
    p.drawText(QPointF(0, ascent_), text);
  }
  p.end();
  mask = TrimmedCoverage(scratch.constBits(), static_cast<int>(scratch.bytesPerLine()), width,
                         height, bounds.left(), bounds.top(), rowQuantum);
  return true;
}

}  // namespace

std::unique_ptr<GlyphFace> QtGlyphSource::MakeFace(const LogFont& font) {
  return std::make_unique<QtGlyphFace>(font);
}

std::unique_ptr<GlyphSource> QtGlyphSource::MakeAnother() const {
  return std::make_unique<QtGlyphSource>();
}

QtCanvas::QtCanvas(int width, int height, Blank blank, std::unique_ptr<GlyphSource> glyphs)
    : RasterCanvas(width, height, glyphs ? std::move(glyphs) : std::make_unique<QtGlyphSource>(),
                   blank) {}

const QImage& QtCanvas::Image() {
  const PixelBuffer& px = Pixels();
  if (image_.constBits() != reinterpret_cast<const uchar*>(px.Bits) || image_.width() != px.Width ||
      image_.height() != px.Height) {
    image_ =
        QImage(reinterpret_cast<const uchar*>(px.Bits), px.Width, px.Height,
               static_cast<qsizetype>(px.Stride) * 4,
               Kind() == Blank::White ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  }
  return image_;
}

void QtCanvas::Resize(int width, int height) {
  image_ = QImage();
  RasterCanvas::Resize(width, height);
}
