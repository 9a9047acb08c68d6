// The control-code interpreter: one pass over the bytes, a pending run that
// is drawn whenever a code changes how the following text looks, and effect
// glyphs drawn one at a time where the table below puts them.
#include "text/controlcodes.h"

#include <cmath>
#include <string>

#include "common/sjischars.h"
#include "preview/draw.h"
#include "preview/gval.h"
#include "text/textrun.h"

namespace {

// Where an effect glyph goes and how big it is, in multiples of the cell:
// up by Up x |H|, back by Back x W (plus the previous character's advance
// for the overprints), cell Height x H by Width x W; the pen moves on by
// half an advance only for the raised, lowered and centred glyphs.
struct TEffectShape {
  double Up, Back, Height, Width;
};

struct TEffect {
  char Code;
  TEffectShape Full;  // for a full-width glyph
  TEffectShape Half;  // for a half-width glyph
  bool Overprint;     // steps back over the previous character, no advance
};

constexpr TEffect kEffects[] = {
    {'u', {0.5, 0, 0.5, 0.5}, {0.5, 0, 0.5, 1}, false},
    {'d', {0, 0, 0.5, 0.5}, {0, 0, 0.5, 1}, false},
    {'c', {0.25, 0, 0.5, 0.5}, {0.25, 0, 0.5, 1}, false},
    {'o', {0.25, 0.25, 0.5, 0.5}, {0.25, 0.125, 0.5, 0.5}, true},
    {'n', {0, 0.5, 1, 1}, {0, 0.25, 1, 1}, true},
    {'b', {0, 0.25, 1, 1}, {0, 0.125, 1, 1}, true},
    {'B', {0, 0.3, 1, 1}, {0, 0.15, 1, 1}, true},
    // Two small characters over the previous one; placed by its own rule.
    {'w', {}, {0.25, 0, 0.5, 0.5}, true},
};

const TEffect* FindEffect(char c) {
  for (const TEffect& e : kEffects) {
    if (e.Code == c) return &e;
  }
  return nullptr;
}

class Interpreter {
 public:
  Interpreter(Canvas& canvas, int32_t style, std::string_view face, double x1, double y1,
              double angle, double H, double W, double S)
      : canvas_(canvas),
        face_(face),
        initial_(style),
        current_(style),
        next_(style),
        x_(x1),
        y_(y1),
        angle_(angle),
        h_(H),
        w_(W),
        s_(S),
        ux_(std::cos(angle)),
        uy_(std::sin(angle)) {}

  void Walk(std::string_view t);

 private:
  // Draws the pending run, moves the pen past it, and lets the style and
  // colour codes met since the last flush take effect.
  void Flush() {
    if (!run_.empty()) DrawTextRun(canvas_, current_, face_, x_, y_, angle_, h_, w_, s_, run_);
    Move(static_cast<double>(run_.size()) * (w_ + s_) / 2, 0);
    run_.clear();
    current_ = next_;
    if (pendingColor_ != -1) {
      SetPenColor(canvas_, GraAttribute().GetLineColor(pendingColor_));
      pendingColor_ = -1;
    }
  }

  void Move(double along, double up) {
    x_ += along * ux_ - up * uy_;
    y_ += along * uy_ + up * ux_;
  }

  // A code that is none, written as text: the prefix ("^" or "^$") and the
  // byte at j; a full-width character the byte starts is taken whole.
  // Returns the last byte position used.
  size_t AppendAsText(std::string_view prefix, std::string_view t, size_t j) {
    run_ += prefix;
    run_ += t[j];
    previous_ = 1;
    if (LeadByte(static_cast<unsigned char>(t[j])) && j + 1 < t.size()) {
      run_ += t[++j];
      previous_ = 2;
    }
    return j;
  }

  // The effect glyph g at the pen; full says whether it is full-width.
  void DrawEffect(const TEffect& e, std::string_view g, bool full) {
    const TEffectShape& shape = full ? e.Full : e.Half;
    const double stepBack = e.Overprint ? previous_ * s_ / 2 + previous_ * w_ / 4 : 0.0;
    const double back = stepBack + shape.Back * w_;
    DrawGlyphRun(g, -back, shape.Up * std::abs(h_), shape.Height * h_, shape.Width * w_, s_);
    if (!e.Overprint) Move((w_ + s_) / 2, 0);
  }

  // "^w" before half-width characters: this one and the next, when that is
  // half-width too, half-size and centred over the previous character.
  size_t DrawTwoSmall(std::string_view t, size_t j) {
    size_t len = 1;
    if (j + 1 < t.size() && !LeadByte(static_cast<unsigned char>(t[j + 1]))) len = 2;
    const double back = static_cast<double>(len) * w_ / 8 + previous_ * s_ / 2 + previous_ * w_ / 4;
    DrawGlyphRun(t.substr(j, len), -back, 0.25 * std::abs(h_), h_ / 2, w_ / 2, 0.0);
    return j + len - 1;
  }

  void DrawGlyphRun(std::string_view g, double along, double up, double height, double width,
                    double spacing) {
    const double x = x_ + along * ux_ - up * uy_;
    const double y = y_ + along * uy_ + up * ux_;
    DrawTextRun(canvas_, current_, face_, x, y, angle_, height, width, spacing, g);
  }

  // The code after a "^" at j - 1; returns the last byte position used, or
  // npos to stop the walk.
  size_t Code(std::string_view t, size_t j);

  Canvas& canvas_;
  std::string_view face_;
  const int32_t initial_;
  int32_t current_;
  int32_t next_;
  double x_, y_;
  const double angle_, h_, w_, s_, ux_, uy_;
  std::string run_;
  int32_t pendingColor_ = -1;
  bool literal_ = false;
  const TEffect* effect_ = nullptr;
  int previous_ = 0;  // 0 nothing yet, 1 half-width, 2 full-width
};

size_t Interpreter::Code(std::string_view t, size_t j) {
  const char c = t[j];
  if (literal_) {
    if (c != '^') return AppendAsText("^", t, j);
    Flush();
    literal_ = false;
    return j;
  }
  int32_t bit = 0;
  switch (c) {
    case '!':
      bit = kStyleBold;
      break;
    case '/':
      bit = kStyleItalic;
      break;
    case '_':
      bit = kStyleUnderline;
      break;
    case '-':
      bit = kStyleStrikeOut;
      break;
    case '#':
      next_ = initial_;
      Flush();
      return j;
    case '*':
      literal_ = true;
      Flush();
      return j;
    case '$':
      if (j + 1 >= t.size()) {
        run_ += "^$";
        return std::string_view::npos;
      }
      if (t[j + 1] >= '1' && t[j + 1] <= '9') {
        pendingColor_ = t[j + 1] - '0';
        Flush();
        return j + 1;
      }
      return AppendAsText("^$", t, j + 1);
    default: {
      const TEffect* e = FindEffect(c);
      if (e == nullptr || j + 1 >= t.size() || t[j + 1] == '^') return AppendAsText("^", t, j);
      effect_ = e;
      Flush();
      return j;
    }
  }
  next_ |= bit;
  Flush();
  return j;
}

void Interpreter::Walk(std::string_view t) {
  for (size_t j = 0; j < t.size(); ++j) {
    const unsigned char b = static_cast<unsigned char>(t[j]);
    if (LeadByte(b)) {
      if (j + 1 >= t.size()) break;  // a lone lead byte at the end is dropped
      const std::string_view g = t.substr(j++, 2);
      if (effect_ == nullptr) {
        run_ += g;
      } else if (effect_->Code == 'w') {
        run_ += "^w";
        run_ += g;
      } else {
        DrawEffect(*effect_, g, true);
      }
      effect_ = nullptr;
      previous_ = 2;
    } else if (b == '^') {
      if (j + 1 >= t.size()) {
        run_ += '^';
        break;
      }
      j = Code(t, j + 1);
      if (j == std::string_view::npos) break;
    } else {
      if (effect_ == nullptr) {
        run_ += static_cast<char>(b);
      } else if (effect_->Code == 'w') {
        j = DrawTwoSmall(t, j);
      } else {
        DrawEffect(*effect_, t.substr(j, 1), false);
      }
      effect_ = nullptr;
      previous_ = 1;
    }
  }
  if (!run_.empty()) DrawTextRun(canvas_, current_, face_, x_, y_, angle_, h_, w_, s_, run_);
}

}  // namespace

void DrawControlledText(Canvas& canvas, int32_t style, std::string_view faceName, double x1,
                        double y1, double angle, double H, double W, double S,
                        std::string_view text) {
  Interpreter(canvas, style, faceName, x1, y1, angle, H, W, S).Walk(text);
}
