// The generator of large host drawings: one pass of a seeded random walk over
// the sheet, writing lines the way the host writes them (numbers with up to
// 14 significant digits, three-digit exponents, a leading blank on plain
// lines, padded colour columns, chained polylines).
#include "support/drawing_generator.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <numbers>
#include <string_view>
#include <vector>

#include "common/sjis.h"

namespace {

// splitmix64: small, fast and the same sequence on every platform.
class TRandom {
 public:
  explicit TRandom(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // 0 .. n-1.
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }

  double Between(double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(Next() >> 11) * 0x1.0p-53;
  }

  bool Percent(uint32_t p) { return Below(100) < p; }

 private:
  uint64_t state_;
};

// The texts of a site drawing, in Shift-JIS.
std::vector<std::string> SiteTexts() {
  static constexpr std::string_view kTexts[] = {
      "敷地境界線",     "道路中心線", "隣地境界", "境界杭 No.3", "ＧＬ±０",  "北",
      "１２．３４５ｍ", "既存建物",   "駐車場",   "Ａ－１",      "官民境界", "測点 P12",
  };
  std::vector<std::string> texts;
  for (std::string_view t : kTexts) texts.push_back(Sjis(t));
  return texts;
}

// Text variables as a title block writes them: the era date most of all,
// then dates and times now and of the file, a few with spread marks.
std::vector<std::string> VariableTexts() {
  static constexpr std::string_view kNames[] = {
      "$J", "$J", "$J", "%J",  "$j",  "&j", "$Y", "%y", "&m", "%d", "$H",
      "%M", "$S", "$w", "$wa", "%ma", "$N", "$n", "=F", "_f", "=y", "_m",
  };
  std::vector<std::string> texts(std::begin(kNames), std::end(kNames));
  texts.push_back("$j" + Sjis("・・"));
  texts.push_back("$J" + Sjis("・"));
  return texts;
}

// What a drawing holds: the host's mix of entities, or texts alone.
enum class TContent { Mix, Texts, Variables };

class TDrawingWriter {
 public:
  TDrawingWriter(size_t entities, uint32_t seed, TContent content = TContent::Mix)
      : random_(seed),
        left_(entities),
        textsOnly_(content != TContent::Mix),
        texts_(content == TContent::Variables ? VariableTexts() : SiteTexts()),
        font_(Sjis("ＭＳ ゴシック")) {
    // The text sheet mixes in plain Latin labels as a surveyor writes them.
    if (content == TContent::Texts) {
      texts_.insert(texts_.end(), {"No.12", "GL+0.150", "P-3 12.345m", "BM1"});
    }
    out_.reserve(entities * 48 + 4096);
  }

  std::string Write() {
    Header();
    while (left_ > 0) Entity();
    return std::move(out_);
  }

 private:
  void EndLine() { out_ += "\r\n"; }

  void Line(std::string_view s) {
    out_ += s;
    EndLine();
  }

  // A number as the host prints it: up to 14 significant digits and a
  // three-digit exponent ("-3.2783543701953e-005", "1e+006").
  void Number(double v) {
    std::array<char, 40> buf{};
    const std::to_chars_result r =
        std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::general, 14);
    const std::string_view text(buf.data(), static_cast<size_t>(r.ptr - buf.data()));
    const size_t e = text.find('e');
    if (e == std::string_view::npos) {
      out_ += text;
      return;
    }
    out_ += text.substr(0, e + 2);  // mantissa, "e" and the sign
    const std::string_view digits = text.substr(e + 2);
    out_.append(3 - std::min<size_t>(3, digits.size()), '0');
    out_ += digits;
  }

  void Numbers(std::initializer_list<double> values) {
    for (double v : values) {
      out_ += ' ';
      Number(v);
    }
  }

  // The walk runs over the sheet (an A1 sheet, in millimetres); the file holds
  // real sizes, the sheet position times the scale of the entity's layer
  // group, so every group covers the same sheet as on the host's screen.
  static double GroupScale(int group) { return group < 4 ? 100.0 : (group < 8 ? 50.0 : 1.0); }

  // A real size for a length on the sheet: mostly a few decimals, sometimes
  // the full precision of a computed point.
  double Real(double sheet) {
    const double v = sheet * scale_;
    switch (random_.Below(4)) {
      case 0:
        return std::round(v);
      case 1:
        return std::round(v * 1000.0) / 1000.0;
      case 2:
        return std::round(v * 10.0) / 10.0;
      default:
        return v;
    }
  }

  // A coordinate near the walk's position.
  double Near(double sheet) { return Real(sheet + random_.Between(-20.0, 20.0)); }
  double X() { return Near(x_); }
  double Y() { return Near(y_); }
  // A size of a few millimetres on the sheet.
  double Size() { return Real(random_.Between(1.0, 8.0)); }

  void Walk() {
    x_ = std::clamp(x_ + random_.Between(-5.0, 5.0), -420.0, 420.0);
    y_ = std::clamp(y_ + random_.Between(-5.0, 5.0), -297.0, 297.0);
  }

  void Header() {
    Line("hq");
    Line(Sjis("file=C:\\jww\\現場\\敷地測量図 改訂2.jww"));
    Line("hk 1");
    out_ += "hs";
    for (int g = 0; g < 16; ++g) Numbers({GroupScale(g)});
    EndLine();
    Line("hzs 1 1");
    Line("hcw 2 2.5 3 4 5 6 7 8 9 10");
    Line("hch 2 2.5 3 4 5 6 7 8 9 10");
    Line("hcd 0 0 0.5 0.5 1 1 1 1 1 1");
    Line("hcc    1    2    3    4    5    6    7    8    9    2");
    Line("hn 0 0 1e+06 -3.2783543701953e-005");
    Line(Sjis("lgn0敷地"));
    Line(Sjis("lyn0境界"));
    Line("hp1- 0 0");
    Line("hp2- 12000.5 0");
    Line("hp3- 12000.5 -8000.25");
    Line("lg0");
    Line("ly0");
    Line("lc1");
    Line("lt1");
    Line("lw0");
    Line("cn1");
    Line("cc0");
    Line("cn\"$" + font_);
    Line("pn1");
  }

  void AttributeChange() {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    if (random_.Percent(30)) {
      const uint32_t group = random_.Below(16);
      Line(std::string("lg") + kHex[group]);
      scale_ = GroupScale(static_cast<int>(group));
    }
    if (random_.Percent(70)) Line(std::string("ly") + kHex[random_.Below(16)]);
    if (random_.Percent(60)) Line("lc" + std::to_string(1 + random_.Below(9)));
    if (random_.Percent(30)) Line("lt" + std::to_string(1 + random_.Below(9)));
    if (random_.Percent(20)) Line("lw" + std::to_string(random_.Below(4)));
  }

  // A plain line, written with the host's leading blank.
  void PlainLine() {
    Numbers({X(), Y(), X(), Y()});
    EndLine();
    --left_;
  }

  // "pl" groups follow one another without "#" until the chain ends.
  void Polylines() {
    do {
      Line("pl");
      const size_t n = std::min<size_t>(2 + random_.Below(7), left_);
      double px = X(), py = Y();
      for (size_t i = 0; i < n; ++i) {
        const double qx = X(), qy = Y();
        Numbers({px, py, qx, qy});
        EndLine();
        px = qx;
        py = qy;
      }
      left_ -= n;
    } while (left_ > 0 && random_.Percent(30));
    Line("#");
  }

  void TextKindChange() {
    if (random_.Percent(50)) {
      Line("cn" + std::to_string(1 + random_.Below(10)));
    } else {
      out_ += "cn0";
      Numbers({3.5, 3.5, 0.5, static_cast<double>(1 + random_.Below(9))});
      EndLine();
    }
    if (random_.Percent(30)) Line("cc" + std::to_string(random_.Below(9)));
  }

  void TextLine(std::string_view keyword, std::string_view text) {
    TextLine(keyword, text, random_.Between(0.0, 2 * std::numbers::pi));
  }

  void TextLine(std::string_view keyword, std::string_view text, double a) {
    out_ += keyword;
    Numbers({X(), Y(), std::cos(a), std::sin(a)});
    out_ += " \"";
    out_ += text;
    EndLine();
  }

  void Text() {
    if (random_.Percent(20)) TextKindChange();
    static constexpr std::string_view kKeywords[] = {"ch", "ch", "ch", "cs", "cv", "cr"};
    TextLine(kKeywords[random_.Below(std::size(kKeywords))],
             texts_[random_.Below(static_cast<uint32_t>(texts_.size()))]);
    --left_;
  }

  void Circle() {
    out_ += "ci";
    Numbers({X(), Y(), Size()});
    EndLine();
    --left_;
  }

  void Arc() {
    out_ += "ci";
    Numbers({X(), Y(), Size(), random_.Between(0, 180), random_.Between(180, 360),
             random_.Percent(80) ? 1.0 : 0.5, 0.0});
    EndLine();
    --left_;
  }

  void Point() {
    out_ += "pt";
    if (random_.Percent(80)) {
      Numbers({X(), Y()});
    } else {
      Numbers({X(), Y(), 1.0, 0.0, static_cast<double>(1 + random_.Below(10))});
    }
    EndLine();
    --left_;
  }

  void Solid() {
    if (random_.Percent(30)) {
      out_ += "lc10";
      Numbers({static_cast<double>(random_.Below(0x1000000))});
      EndLine();
    }
    const uint32_t shape = random_.Below(10);
    if (shape < 6) {
      out_ += "sl";
      Numbers({X(), Y(), X(), Y(), X(), Y(), X(), Y()});
    } else if (shape < 8) {
      out_ += "sl";
      Numbers({X(), Y(), X(), Y(), X(), Y()});
    } else if (shape < 9) {
      out_ += "sc";
      Numbers({X(), Y(), Size(), 1.0, 0.0, 0.0, std::numbers::pi / 2, 0.0});
    } else {
      out_ += "so";
      const double r = Size();
      Numbers({X(), Y(), r, 1.0, 0.0, 0.0, std::numbers::pi, r / 2});
    }
    EndLine();
    --left_;
  }

  void Dimension() {
    Line("msg");
    const double x1 = X(), y1 = Y(), x2 = X();
    Numbers({x1, y1, x2, y1});
    EndLine();
    out_ += "cs";
    Numbers({(x1 + x2) / 2, y1 + Real(1.0), 1.0, 0.0});
    out_ += " \"";
    Number(std::round(std::fabs(x2 - x1) * 1000.0) / 1000.0);
    EndLine();
    --left_;
  }

  // Texts alone, anywhere on the sheet: horizontal, written downwards
  // vertically, or turned by any angle.
  void SheetText() {
    x_ = random_.Between(-420.0, 420.0);
    y_ = random_.Between(-297.0, 297.0);
    if (random_.Percent(20)) TextKindChange();
    const std::string& text = texts_[random_.Below(static_cast<uint32_t>(texts_.size()))];
    const uint32_t kind = random_.Below(10);
    if (kind < 4) {
      TextLine("ch", text, 0.0);
    } else if (kind < 7) {
      TextLine("cv", text, -std::numbers::pi / 2);
    } else {
      TextLine("ch", text);
    }
    --left_;
  }

  void Entity() {
    if (textsOnly_) {
      if (random_.Percent(2)) AttributeChange();
      SheetText();
      return;
    }
    if (random_.Percent(6)) AttributeChange();
    if (random_.Percent(1)) Line("z1");
    Walk();
    const uint32_t r = random_.Below(100);
    if (r < 45) {
      PlainLine();
    } else if (r < 67) {
      Polylines();
    } else if (r < 77) {
      Text();
    } else if (r < 82) {
      Circle();
    } else if (r < 87) {
      Arc();
    } else if (r < 91) {
      Point();
    } else if (r < 97) {
      Solid();
    } else {
      Dimension();
    }
  }

  TRandom random_;
  size_t left_;
  bool textsOnly_;
  std::vector<std::string> texts_;
  std::string font_;
  std::string out_;
  double x_ = 0.0, y_ = 0.0;  // on the sheet
  double scale_ = GroupScale(0);
};

}  // namespace

std::string GenerateHostDrawing(size_t entities, uint32_t seed) {
  return TDrawingWriter(entities, seed).Write();
}

std::string GenerateTextDrawing(size_t texts, uint32_t seed) {
  return TDrawingWriter(texts, seed, TContent::Texts).Write();
}

std::string GenerateVariableTextDrawing(size_t texts, uint32_t seed) {
  return TDrawingWriter(texts, seed, TContent::Variables).Write();
}
