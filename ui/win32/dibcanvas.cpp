// A DIB section as the raster canvas's pixels, and GDI's glyph outlines.
#include "ui/win32/dibcanvas.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/sjis.h"
#include "raster/verticalforms.h"
#include "text/facenames.h"

HBITMAP TopDownDib(HDC dc, int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// The DIB section the canvas draws into, selected into a memory context of
// its own.
class DibStore : public PixelStore {
 public:
  PixelBuffer Allocate(int width, int height) override {
    void* bits = nullptr;
    GdiBitmap bitmap(TopDownDib(dc_.get(), width, height, &bits));
    if (bitmap == nullptr) {
      // Out of memory for a picture this size: one pixel of its own, drawn
      // to no effect, rather than none.
      static thread_local uint32_t spare = 0;
      return {&spare, 1, 1, 1};
    }
    // The old bitmap out of the context before it goes.
    selected_.reset();
    selected_.emplace(dc_.get(), bitmap.get());
    bitmap_ = std::move(bitmap);
    return {static_cast<uint32_t*>(bits), width, width, height};
  }
  HDC Dc() const { return dc_.get(); }

 private:
  MemoryDc dc_{CreateCompatibleDC(nullptr)};
  GdiBitmap bitmap_;
  std::optional<SelectedObject> selected_;
};

namespace {

double FromFixed(FIXED f) {
  return f.value + f.fract / 65536.0;
}

class GdiGlyphFace : public GlyphFace {
 public:
  GdiGlyphFace(HDC dc, const LogFont& font);
  ~GdiGlyphFace() override {
    // The faces of a source share its context: the font out of it, as the
    // context may hold it still.
    if (font_ != nullptr) SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  }
  GdiGlyphFace(const GdiGlyphFace&) = delete;
  GdiGlyphFace& operator=(const GdiGlyphFace&) = delete;
  Affine InCell(bool fullWidth) const override {
    return vertical_ && fullWidth ? VerticalInCell(2.0 * HalfWidth, CellHeight) : Affine{};
  }
  FlatOutline Outline(const std::string& glyph) override;

 private:
  // The underline and strike-out the font asks for, as TextOut draws them.
  void TakeBars(const LogFont& font, int ascent);

  HDC dc_;
  GdiFont font_;
  double ascent_ = 0.0;
  // A vertical face is the face itself, its full-width glyphs stood up in
  // their cells and taken in their vertical forms, as GDI's "@" faces draw.
  bool vertical_ = false;
  std::unordered_map<uint16_t, uint16_t> forms_;
  std::vector<uint8_t> buffer_;
};

GdiGlyphFace::GdiGlyphFace(HDC dc, const LogFont& font) : dc_(dc) {
  std::wstring face = InstalledFace(FaceNameOf(font.FaceName));
  vertical_ = face.starts_with(L'@');
  if (vertical_) face.erase(0, 1);
  LOGFONTW record = GdiFontRecord(font, face);
  record.lfOutPrecision = OUT_TT_PRECIS;
  font_.reset(CreateFontIndirectW(&record));
  if (font_ == nullptr) return;
  SelectObject(dc_, font_.get());
  if (vertical_) {
    // The table's tag, its bytes in the order they are written.
    constexpr DWORD kGsub = 'G' | ('S' << 8) | ('U' << 16) | (static_cast<DWORD>('B') << 24);
    const DWORD size = GetFontData(dc_, kGsub, 0, nullptr, 0);
    if (size != GDI_ERROR && size > 0) {
      std::string gsub(size, '\0');
      if (GetFontData(dc_, kGsub, 0, gsub.data(), size) == size) forms_ = VerticalForms(gsub);
    }
  }
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(dc_, &metrics)) return;
  CellHeight = metrics.tmHeight;
  HalfWidth = font.Width != 0 ? std::abs(font.Width) : metrics.tmAveCharWidth;
  ascent_ = metrics.tmAscent;
  Visible = font.Height != 0;
  // GDI's outlines carry the slant; underlines and strike-outs are lines
  // of their own, which the outlines leave out.
  Outlined = true;
  if (font.Underline || font.StrikeOut) TakeBars(font, metrics.tmAscent);
}

void GdiGlyphFace::TakeBars(const LogFont& font, int ascent) {
  // Where TextOut puts them: from the face's outline metrics, or without
  // them, a twentieth of the ascent thick on the base line and half-way up.
  int under = 0, underSize = ascent / 20 + 1, strike = ascent / 2, strikeSize = underSize;
  const UINT size = GetOutlineTextMetricsW(dc_, 0, nullptr);
  if (size >= sizeof(OUTLINETEXTMETRICW)) {
    buffer_.assign(size, 0);
    auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer_.data());
    if (GetOutlineTextMetricsW(dc_, size, otm) != 0) {
      under = otm->otmsUnderscorePosition;
      underSize = std::abs(static_cast<int>(otm->otmsUnderscoreSize));
      strike = otm->otmsStrikeoutPosition;
      strikeSize = std::abs(static_cast<int>(otm->otmsStrikeoutSize));
    }
  }
  if (font.Underline) Bars.push_back(TextBar(ascent, under, underSize));
  if (font.StrikeOut) Bars.push_back(TextBar(ascent, strike, strikeSize));
}

FlatOutline GdiGlyphFace::Outline(const std::string& glyph) {
  OutlineBuilder builder;
  const std::wstring text = WideFromSjis(glyph);
  if (font_ == nullptr || text.size() != 1) return builder.Take();
  SelectObject(dc_, font_.get());
  // A full-width glyph of a vertical face in its vertical form, where the
  // face has one: then by its index.
  UINT code = text[0];
  UINT format = GGO_NATIVE;
  if (vertical_ && glyph.size() > 1) {
    WORD index = 0;
    if (GetGlyphIndicesW(dc_, text.data(), 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
        index != 0xFFFF) {
      const auto form = forms_.find(index);
      if (form != forms_.end()) {
        code = form->second;
        format |= GGO_GLYPH_INDEX;
      }
    }
  }
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS metrics{};
  const DWORD size = GetGlyphOutlineW(dc_, code, format, &metrics, 0, nullptr, &identity);
  if (size == GDI_ERROR || size == 0) return builder.Take();
  buffer_.assign(size, 0);
  if (GetGlyphOutlineW(dc_, code, format, &metrics, size, buffer_.data(), &identity) == GDI_ERROR) {
    return builder.Take();
  }
  // Outline points lie from the glyph's origin on the base line, y upwards.
  const auto at = [this](const POINTFX& p) {
    return PointF{FromFixed(p.x), ascent_ - FromFixed(p.y)};
  };
  const uint8_t* data = buffer_.data();
  const uint8_t* end = data + size;
  while (data + sizeof(TTPOLYGONHEADER) <= end) {
    const auto* header = reinterpret_cast<const TTPOLYGONHEADER*>(data);
    const uint8_t* contourEnd = data + header->cb;
    if (header->cb < sizeof(TTPOLYGONHEADER) || contourEnd > end) break;
    builder.MoveTo(at(header->pfxStart));
    const uint8_t* curve = data + sizeof(TTPOLYGONHEADER);
    while (curve + sizeof(TTPOLYCURVE) - sizeof(POINTFX) <= contourEnd) {
      const auto* c = reinterpret_cast<const TTPOLYCURVE*>(curve);
      const int n = c->cpfx;
      const POINTFX* p = c->apfx;
      if (c->wType == TT_PRIM_QSPLINE) {
        // B-spline: each control point but the last has its curve end
        // midway to the next one.
        for (int i = 0; i + 1 < n; ++i) {
          const PointF control = at(p[i]);
          const PointF next = at(p[i + 1]);
          const PointF to =
              i + 2 == n ? next : PointF{(control.x + next.x) / 2, (control.y + next.y) / 2};
          builder.QuadTo(control, to);
        }
      } else if (c->wType == TT_PRIM_CSPLINE) {
        for (int i = 0; i + 2 < n; i += 3) builder.CubicTo(at(p[i]), at(p[i + 1]), at(p[i + 2]));
      } else {
        for (int i = 0; i < n; ++i) builder.LineTo(at(p[i]));
      }
      curve += sizeof(TTPOLYCURVE) + (n - 1) * sizeof(POINTFX);
    }
    data = contourEnd;
  }
  return builder.Take();
}

}  // namespace

LOGFONTW GdiFontRecord(const LogFont& font, const std::wstring& face) {
  LOGFONTW record{};
  record.lfHeight = font.Height;
  record.lfWidth = font.Width;
  record.lfWeight = font.Weight;
  record.lfItalic = font.Italic;
  record.lfUnderline = font.Underline;
  record.lfStrikeOut = font.StrikeOut;
  record.lfCharSet = font.CharSet;
  record.lfOutPrecision = OUT_DEFAULT_PRECIS;
  record.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  record.lfQuality = DEFAULT_QUALITY;
  face.substr(0, LF_FACESIZE - 1).copy(record.lfFaceName, LF_FACESIZE - 1);
  return record;
}

std::wstring InstalledFace(const std::string& sjis) {
  // Both the canvas's thread and its layer's ask.
  static std::mutex guard;
  const std::lock_guard lock(guard);
  static std::map<std::string, std::wstring> known;
  const auto found = known.find(sjis);
  if (found != known.end()) return found->second;
  const bool vertical = sjis.starts_with('@');
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  WideFromSjis(sjis.substr(vertical ? 1 : 0)).copy(wanted.lfFaceName, LF_FACESIZE - 1);
  const WindowDc screen(nullptr);
  const bool installed =
      EnumFontFamiliesExW(
          screen.Get(), &wanted,
          [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM) { return 0; }, 0, 0) == 0;
  std::wstring face =
      installed ? WideFromSjis(sjis)
                : (vertical ? L"@" : L"") +
                      WideFromSjis(SjisFromUtf8(SubstituteFace(sjis.substr(vertical ? 1 : 0))));
  return known.emplace(sjis, std::move(face)).first->second;
}

std::unique_ptr<GlyphFace> GdiGlyphSource::MakeFace(const LogFont& font) {
  if (dc_ == nullptr) dc_.reset(CreateCompatibleDC(nullptr));
  return std::make_unique<GdiGlyphFace>(dc_.get(), font);
}

std::unique_ptr<GlyphSource> GdiGlyphSource::MakeAnother() const {
  return std::make_unique<GdiGlyphSource>();
}

DibCanvas::DibCanvas(int width, int height, std::unique_ptr<GlyphSource> glyphs)
    : RasterCanvas(width, height, glyphs ? std::move(glyphs) : std::make_unique<GdiGlyphSource>(),
                   Blank::White, std::make_unique<DibStore>()) {}

HDC DibCanvas::Dc() {
  return static_cast<DibStore&>(Store()).Dc();
}
