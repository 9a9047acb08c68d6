// The reader of JWC_TEMP.TXT: one ordered table of line rules over the
// tokens of each line (tokenizer.h), of which the first that matches a line
// applies; and the lines of a file, a block at a time.
#include "exchange/reader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <system_error>

#include "common/fileopen.h"
#include "common/numbers.h"
#include "exchange/store.h"
#include "exchange/tokenizer.h"

namespace {

// Every line is parsed where kJwcLinePadding readable bytes follow it, so
// that its tokens may be read in whole words past their ends
// (TextToRealPadded).
static_assert(kJwcLinePadding >= kRealPadding);

// ------------------------------------------------------------- reader state

struct TReaderState {
  std::string Buffer;  // the bytes of the current line's tokens
  std::string Line;    // a line given from outside, copied with its padding
  TJwcTokens Tokens;
};

TReaderState Reader;

// ------------------------------------------------------------ token values

// Every token lies in a padded line or in the padded buffer of gathered
// tokens.
double Num(const TJwcTokens& tk, int i) {
  return TextToRealPadded(tk.T[i]);
}
int32_t Int(const TJwcTokens& tk, int i) {
  return TextToInt(tk.T[i]);
}

// The keyword's value written right after its two letters ("lt2", "pn5").
int32_t IntOfRest(const TJwcTokens& tk) {
  return TextToInt(tk.T[0].substr(2));
}

// The byte after a two-letter keyword as one hexadecimal digit; anything
// else, or no byte at all, reads as 0.
int32_t HexDigitOfRest(const TJwcTokens& tk) {
  if (tk.T[0].size() < 3) return 0;
  const char c = tk.T[0][2];
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

// ------------------------------------------------------- attribute lines

// An attribute whose first line in the file is the host's current setting.
struct TFirstSeen {
  int32_t TJwwAttributes::*Current;
  int32_t TJwwInitialAttributes::*Initial;
  bool TJwwForceFlags::*First;
};

constexpr TFirstSeen kFirstSeen[] = {
    {&TJwwAttributes::LayerGroup, &TJwwInitialAttributes::LayerGroup, &TJwwForceFlags::LayerGroup},
    {&TJwwAttributes::Layer, &TJwwInitialAttributes::Layer, &TJwwForceFlags::Layer},
    {&TJwwAttributes::LineColor, &TJwwInitialAttributes::LineColor, &TJwwForceFlags::LineColor},
    {&TJwwAttributes::LineType, &TJwwInitialAttributes::LineType, &TJwwForceFlags::LineType},
    {&TJwwAttributes::LineWidth, &TJwwInitialAttributes::LineWidth, &TJwwForceFlags::LineWidth},
};
enum FirstSeenAttr { kLayerGroup, kLayer, kLineColor, kLineType, kLineWidth };

void SetAttribute(int attr, int32_t value) {
  const TFirstSeen& a = kFirstSeen[attr];
  bool& first = JwwStore.Force.*a.First;
  if (first) {
    JwwStore.Initial.*a.Initial = value;
    first = false;
  }
  JwwStore.Current.*a.Current = value;
}

void HexAttributeLine(const TJwcTokens& tk, int attr) {
  SetAttribute(attr, HexDigitOfRest(tk));
}

void IntAttributeLine(const TJwcTokens& tk, int attr) {
  SetAttribute(attr, IntOfRest(tk));
}

// The host's first colour line may be "lc10" with its 24-bit value; that
// value goes back with every entity the tool adds in colour 10.
void LineColorLine(const TJwcTokens& tk, int) {
  const int32_t color = IntOfRest(tk);
  const bool first = JwwStore.Force.LineColor;
  SetAttribute(kLineColor, color);
  if (color != kOwnColorNumber || tk.N < 2) return;
  JwwStore.Current.ExplicitColor = Int(tk, 1);
  if (first) JwwStore.Initial.ExplicitColor = JwwStore.Current.ExplicitColor;
}

void FontLine(const TJwcTokens& tk, int) {
  const std::string_view name = tk.T[0].substr(3);
  if (JwwStore.Initial.FontName.empty()) JwwStore.Initial.FontName = name;
  JwwStore.Current.FontName = name;
}

// Width, height, spacing and colour of the free size from t1..t4.
template <class Attributes>
void SetFreeSize(Attributes& a, const TJwcTokens& tk) {
  a.FreeWidth = Num(tk, 1);
  a.FreeHeight = Num(tk, 2);
  a.FreeSpacing = Num(tk, 3);
  a.FreeColor = Int(tk, 4);
}

void TextKindLine(const TJwcTokens& tk, int) {
  const int32_t kind = IntOfRest(tk);
  const bool freeSize = kind == 0 && tk.N >= 5;
  if (JwwStore.Force.TextKind) {
    JwwStore.Force.TextKind = false;
    JwwStore.Initial.TextKind = kind;
    if (freeSize) SetFreeSize(JwwStore.Initial, tk);
  }
  JwwStore.Current.TextKind = kind;
  if (freeSize) SetFreeSize(JwwStore.Current, tk);
}

void AnchorLine(const TJwcTokens& tk, int) {
  const char c = tk.T[0].size() > 2 ? tk.T[0][2] : '0';
  JwwStore.Current.TextAnchor = (c >= '0' && c <= '8') ? c - '0' : 0;
}

void PointColorLine(const TJwcTokens& tk, int) {
  JwwStore.Current.PointColor = IntOfRest(tk);
}

void ZFlagLine(const TJwcTokens&, int bit) {
  JwwStore.PendingZ |= bit;
}

// ---------------------------------------------------------- header lines

void Consumed(const TJwcTokens&, int) {}

void GroupScaleLine(const TJwcTokens& tk, int) {
  for (int i = 0; i < 16; ++i) JwwStore.GroupScale[i] = Num(tk, i + 1);
}

enum TextKindColumn { kWidths, kHeights, kSpacings, kColors };

void TextKindTableLine(const TJwcTokens& tk, int column) {
  for (int k = 1; k <= 10; ++k) {
    TTextKindEntry& e = JwwStore.TextKindTable[k];
    switch (column) {
      case kWidths:
        e.Width = Num(tk, k);
        break;
      case kHeights:
        e.Height = Num(tk, k);
        break;
      case kSpacings:
        e.Spacing = Num(tk, k);
        break;
      default:
        e.Color = Int(tk, k);
        break;
    }
  }
}

void DrawingSizeLine(const TJwcTokens&, int) {
  JwwStore.DrawingSizeMode = true;
}

// ------------------------------------------------------ polylines, dimensions

void PolylineStart(const TJwcTokens&, int) {
  if (JwwStore.PolyCounter < std::numeric_limits<int32_t>::max()) ++JwwStore.PolyCounter;
  JwwStore.InPolyline = true;
  JwwStore.AfterMessage = false;
}

void MessageLine(const TJwcTokens&, int) {
  JwwStore.AfterMessage = true;
  JwwStore.InPolyline = false;
}

void GroupEnd(const TJwcTokens&, int) {
  JwwStore.InPolyline = false;
  JwwStore.AfterMessage = false;
}

void SetLineEnds(TJwwEntLine& l, const TJwcTokens& tk) {
  l.X1 = Num(tk, 0);
  l.Y1 = Num(tk, 1);
  l.X2 = Num(tk, 2);
  l.Y2 = Num(tk, 3);
}

// A plain line is stored, or after "msg" held as the line of the coming
// dimension. Either way the polyline and the dimension stay open.
void PlainLine(const TJwcTokens& tk, int) {
  TJwwStore& s = JwwStore;
  if (s.AfterMessage) {
    s.PendingDimLine = TJwwEntLine{};
    s.PendingDimLine.Head = CurrentHead();
    SetLineEnds(s.PendingDimLine, tk);
  } else {
    TJwwEntLine& l = AppendRecord<ekLine>();
    l.PolyId = s.InPolyline ? s.PolyCounter : 0;
    SetLineEnds(l, tk);
  }
  s.PendingZ = 0;
}

// ---------------------------------------------------------------- entities

void CircleLine(const TJwcTokens& tk, int) {
  TJwwEntCircle& c = AppendRecord<ekCircle>();
  c.CX = Num(tk, 1);
  c.CY = Num(tk, 2);
  c.R = Num(tk, 3);
}

void ArcLine(const TJwcTokens& tk, int) {
  TJwwEntArc& a = AppendRecord<ekArc>();
  a.CX = Num(tk, 1);
  a.CY = Num(tk, 2);
  a.R = Num(tk, 3);
  a.StartAngle = Num(tk, 4);
  a.EndAngle = Num(tk, 5);
  a.Flatness = Num(tk, 6);
  a.Tilt = Num(tk, 7);
}

// The text of a "ch" .. "c2" line: start point t1, t2, direction t3, t4 and
// the text t5.
void FillLineText(TJwwEntText& t, int32_t textCmd, const TJwcTokens& tk) {
  FillText(t, textCmd, tk.T[5], Num(tk, 1), Num(tk, 2), Num(tk, 3), Num(tk, 4));
}

constexpr int32_t kDimensionTextCmd = 2;  // "cs"

void TextLine(const TJwcTokens& tk, int textCmd) {
  TJwwStore& s = JwwStore;
  if (textCmd == kDimensionTextCmd && s.AfterMessage) {
    TJwwEntDim& d = AppendRecord<ekDim>();
    d.Line = s.PendingDimLine;
    d.Line.PolyId = 0;
    d.Text.Head = d.Head;
    FillLineText(d.Text, textCmd, tk);
  } else {
    FillLineText(AppendRecord<ekText>(), textCmd, tk);
  }
}

void PointLine(const TJwcTokens& tk, int) {
  AddPoint(Num(tk, 1), Num(tk, 2));
}

void CodedPointLine(const TJwcTokens& tk, int) {
  TJwwEntCodedPoint& p = AppendRecord<ekCodedPoint>();
  p.Head.Color = JwwStore.Current.PointColor;
  p.X = Num(tk, 1);
  p.Y = Num(tk, 2);
  p.Scale = Num(tk, 3);
  p.Angle = Num(tk, 4);
  p.Code = Int(tk, 5);
}

void BlockLine(const TJwcTokens& tk, int) {
  TJwwEntBlk& b = AppendRecord<ekBlock>();
  b.X = Num(tk, 1);
  b.Y = Num(tk, 2);
  b.Name = tk.T[3];
}

// ------------------------------------------------------------------ solids

struct TCorner {
  double X, Y;
};

// Corners this close are one corner.
bool Same(TCorner a, TCorner b) {
  constexpr double kSameCorner = 1e-10;
  return std::fabs(a.X - b.X) <= kSameCorner && std::fabs(a.Y - b.Y) <= kSameCorner;
}

TCorner Corner(const TJwcTokens& tk, int n) {
  return {Num(tk, 2 * n - 1), Num(tk, 2 * n)};
}

void AddSolid(TCorner p1, TCorner p2) {
  TJwwEntSolid2& s = AppendRecord<ekSolid2>();
  s = {s.Head, JwwStore.Current.ExplicitColor, p1.X, p1.Y, p2.X, p2.Y};
}

void AddSolid(TCorner p1, TCorner p2, TCorner p3) {
  TJwwEntSolid3& s = AppendRecord<ekSolid3>();
  s = {s.Head, JwwStore.Current.ExplicitColor, p1.X, p1.Y, p2.X, p2.Y, p3.X, p3.Y};
}

void AddSolid(TCorner p1, TCorner p2, TCorner p3, TCorner p4) {
  TJwwEntSolid4& s = AppendRecord<ekSolid4>();
  s = {s.Head, JwwStore.Current.ExplicitColor, p1.X, p1.Y, p2.X, p2.Y, p3.X, p3.Y, p4.X, p4.Y};
}

void TwoCornerSolidLine(const TJwcTokens& tk, int) {
  AddSolid(Corner(tk, 1), Corner(tk, 2));
}

// A solid keeps only its distinct corners.
void ThreeCornerSolidLine(const TJwcTokens& tk, int) {
  const TCorner p1 = Corner(tk, 1), p2 = Corner(tk, 2), p3 = Corner(tk, 3);
  if (Same(p1, p2)) {
    AddSolid(p1, p3);
  } else if (Same(p2, p3)) {
    AddSolid(p1, p2);
  } else {
    AddSolid(p1, p2, p3);
  }
}

void FourCornerSolidLine(const TJwcTokens& tk, int) {
  const TCorner p1 = Corner(tk, 1), p2 = Corner(tk, 2), p3 = Corner(tk, 3), p4 = Corner(tk, 4);
  if (Same(p1, p2) && Same(p1, p3)) {
    AddSolid(p1, p4);
  } else if (Same(p2, p3) && Same(p2, p4)) {
    AddSolid(p1, p2);
  } else if (Same(p1, p2) && Same(p3, p4)) {
    AddSolid(p1, p3);
  } else if (Same(p4, p1) || Same(p4, p2) || Same(p4, p3)) {
    AddSolid(p1, p2, p3);
  } else if (Same(p3, p1) || Same(p3, p2)) {
    AddSolid(p1, p2, p4);
  } else if (Same(p2, p1)) {
    AddSolid(p1, p3, p4);
  } else {
    AddSolid(p1, p2, p3, p4);
  }
}

// "sc" and "se" end in a shape code, "so" and "sg" in an inner radius.
void SolidArcLine(const TJwcTokens& tk, int kind) {
  TJwwEntSolidArc& s = AppendSolidArc(static_cast<TJwwEntKind>(kind));
  s.SolidRGB = JwwStore.Current.ExplicitColor;
  s.CX = Num(tk, 1);
  s.CY = Num(tk, 2);
  s.R = Num(tk, 3);
  s.Flatness = Num(tk, 4);
  s.Tilt = Num(tk, 5);
  s.Start = Num(tk, 6);
  s.Sweep = Num(tk, 7);
  if (kind == ekSolidSc || kind == ekSolidSe) {
    s.Code = Int(tk, 8);
  } else {
    s.InnerR = Num(tk, 8);
  }
}

// ------------------------------------------------------------- line rules

enum class Match : uint8_t {
  Is,          // t0 equals the keyword
  StartsWith,  // t0 begins with the keyword
  Contains,    // t0 holds the keyword somewhere
  Any,         // whatever t0 is
};

using LineAction = void (*)(const TJwcTokens&, int);

struct TLineRule {
  Match How;
  std::string_view Keyword;
  int MinN, MaxN;
  LineAction Apply;
  int Param;
  // An entity ends the pending z flags, an open polyline and a dimension
  // waiting for its text.
  bool Entity;
};

constexpr int kAnyN = kMaxJwcTokens;

// A text line of any command: its keyword, the numbers t1..t4 and the text.
constexpr TLineRule TextRule(int textCmd) {
  return {Match::Is, kTextKeywords[textCmd], 6, kAnyN, TextLine, textCmd, true};
}

// Tried in this order; the first rule that matches applies and a line that
// matches none is ignored. Lines marked Consumed carry values nothing here
// uses: matching them keeps them from reaching a later rule. The "=" of
// "file=" keeps the rest of the line in t0, so that line has one token.
constexpr TLineRule kLineRules[] = {
    {Match::Contains, "file=", 1, 1, Consumed, 0, false},
    {Match::Is, "hk", 2, kAnyN, Consumed, 0, false},
    {Match::Is, "hs", 17, kAnyN, GroupScaleLine, 0, false},
    {Match::Is, "hzs", 3, kAnyN, Consumed, 0, false},
    {Match::Is, "hcw", 11, kAnyN, TextKindTableLine, kWidths, false},
    {Match::Is, "hch", 11, kAnyN, TextKindTableLine, kHeights, false},
    {Match::Is, "hcd", 11, kAnyN, TextKindTableLine, kSpacings, false},
    {Match::Is, "hcc", 11, kAnyN, TextKindTableLine, kColors, false},
    {Match::Is, "bz", 1, kAnyN, DrawingSizeLine, 0, false},
    {Match::Is, "hn", 5, kAnyN, Consumed, 0, false},
    {Match::StartsWith, "lgn", 1, kAnyN, Consumed, 0, false},
    {Match::StartsWith, "lyn", 1, kAnyN, Consumed, 0, false},
    {Match::StartsWith, "lg", 1, kAnyN, HexAttributeLine, kLayerGroup, false},
    {Match::StartsWith, "ly", 1, kAnyN, HexAttributeLine, kLayer, false},
    {Match::StartsWith, "lc", 1, kAnyN, LineColorLine, 0, false},
    {Match::StartsWith, "lt", 1, kAnyN, IntAttributeLine, kLineType, false},
    {Match::StartsWith, "lw", 1, kAnyN, IntAttributeLine, kLineWidth, false},
    {Match::StartsWith, "cn$", 1, kAnyN, FontLine, 0, false},
    {Match::StartsWith, "cn", 1, kAnyN, TextKindLine, 0, false},
    {Match::StartsWith, "cc", 1, kAnyN, AnchorLine, 0, false},
    {Match::Is, "z1", 1, kAnyN, ZFlagLine, 1, false},
    {Match::Is, "z2", 1, kAnyN, ZFlagLine, 2, false},
    {Match::Is, "z3", 1, kAnyN, ZFlagLine, 4, false},
    {Match::Is, "z4", 1, kAnyN, ZFlagLine, 8, false},
    {Match::Is, "z5", 1, kAnyN, ZFlagLine, 16, false},
    {Match::StartsWith, "pn", 1, kAnyN, PointColorLine, 0, false},
    {Match::Is, "pl", 1, kAnyN, PolylineStart, 0, false},
    {Match::Is, "msg", 1, kAnyN, MessageLine, 0, false},
    {Match::Is, "#", 1, kAnyN, GroupEnd, 0, false},
    {Match::StartsWith, "hp", 3, kAnyN, Consumed, 0, false},
    {Match::StartsWith, "hhp", 1, kAnyN, Consumed, 0, false},
    {Match::Is, "ci", 4, 4, CircleLine, 0, true},
    {Match::Is, "ci", 8, kAnyN, ArcLine, 0, true},
    TextRule(0),
    TextRule(1),
    TextRule(2),
    TextRule(3),
    TextRule(4),
    TextRule(5),
    TextRule(6),
    TextRule(7),
    TextRule(8),
    TextRule(9),
    {Match::Is, "pt", 3, 3, PointLine, 0, true},
    {Match::Is, "pt", 6, kAnyN, CodedPointLine, 0, true},
    {Match::Is, "BL", 4, kAnyN, BlockLine, 0, true},
    {Match::Is, "sl", 5, 5, TwoCornerSolidLine, 0, true},
    {Match::Is, "sl", 7, 7, ThreeCornerSolidLine, 0, true},
    {Match::Is, "sl", 9, kAnyN, FourCornerSolidLine, 0, true},
    {Match::Is, "sc", 9, kAnyN, SolidArcLine, ekSolidSc, true},
    {Match::Is, "se", 9, kAnyN, SolidArcLine, ekSolidSe, true},
    {Match::Is, "so", 9, kAnyN, SolidArcLine, ekSolidSo, true},
    {Match::Is, "sg", 9, kAnyN, SolidArcLine, ekSolidSg, true},
    {Match::Any, "", 4, 4, PlainLine, 0, false},
};

constexpr int kRuleCount = static_cast<int>(std::size(kLineRules));
constexpr int kMaxCandidates = 24;

// For every first byte of t0, the rules that can match such a line, in
// table order; so a line of numbers skips the keyword rules at once.
struct TRuleIndex {
  std::array<std::array<uint8_t, kMaxCandidates>, 256> Rules;
  std::array<uint8_t, 256> Count;
};

constexpr TRuleIndex MakeRuleIndex() {
  TRuleIndex index{};
  for (int b = 0; b < 256; ++b) {
    for (int r = 0; r < kRuleCount; ++r) {
      const TLineRule& rule = kLineRules[r];
      const bool keyed = rule.How == Match::Is || rule.How == Match::StartsWith;
      if (keyed && static_cast<unsigned char>(rule.Keyword[0]) != b) continue;
      index.Rules[b][index.Count[b]++] = static_cast<uint8_t>(r);
    }
  }
  return index;
}

constexpr TRuleIndex kRuleIndex = MakeRuleIndex();
static_assert(kRuleCount < 256);
static_assert(*std::max_element(kRuleIndex.Count.begin(), kRuleIndex.Count.end()) <=
              kMaxCandidates);

bool Matches(const TLineRule& rule, const TJwcTokens& tk) {
  if (tk.N < rule.MinN || tk.N > rule.MaxN) return false;
  const std::string_view t0 = tk.T[0];
  switch (rule.How) {
    case Match::Is:
      return t0 == rule.Keyword;
    case Match::StartsWith:
      return t0.starts_with(rule.Keyword);
    case Match::Contains:
      return t0.find(rule.Keyword) != std::string_view::npos;
    case Match::Any:
      break;
  }
  return true;
}

void Classify(const TJwcTokens& tk) {
  const std::string_view t0 = tk.T[0];
  if (tk.N == 1 && t0.empty()) return;
  const unsigned char first = t0.empty() ? 0 : static_cast<unsigned char>(t0[0]);
  for (int i = 0; i < kRuleIndex.Count[first]; ++i) {
    const TLineRule& rule = kLineRules[kRuleIndex.Rules[first][i]];
    if (!Matches(rule, tk)) continue;
    rule.Apply(tk, rule.Param);
    if (rule.Entity) {
      JwwStore.PendingZ = 0;
      JwwStore.InPolyline = false;
      JwwStore.AfterMessage = false;
    }
    return;
  }
}

// ------------------------------------------------------------------- lines

std::string_view WithoutCr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Tokenises and classifies one line (without its line end) that has
// kJwcLinePadding readable bytes after it.
void ParsePaddedLine(std::string_view line) {
  line = line.substr(0, kMaxJwcLineBytes);
  TokenizeJwcLine(line, Reader.Buffer, Reader.Tokens);
  Classify(Reader.Tokens);
}

// Parses every line that ends in LF and returns the number of bytes taken.
// A plain line is cut where it stands, with its end found on the way; any
// other line, and one too long to be read whole, takes the full rules.
size_t ParseCompleteLines(std::string_view bytes) {
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = start + CutPlainJwcTokens(bytes.substr(start), Reader.Tokens);
    const bool whole = end - start <= kMaxJwcLineBytes;
    if (end < bytes.size() && bytes[end] == '\r') ++end;
    if (whole && end < bytes.size() && bytes[end] == '\n') {
      Classify(Reader.Tokens);
    } else {
      const void* lf = std::memchr(bytes.data() + start, '\n', bytes.size() - start);
      if (lf == nullptr) break;
      end = static_cast<size_t>(static_cast<const char*>(lf) - bytes.data());
      ParsePaddedLine(WithoutCr(bytes.substr(start, end - start)));
    }
    start = end + 1;
  }
  return start;
}

constexpr size_t kReadBlock = size_t{1} << 20;

// What is kept of a line that does not fit: one byte more than is read, so
// that a CR right after the last byte read is still seen as the line's end.
constexpr size_t kLineHead = kMaxJwcLineBytes + 1;

// Reads every line of the bytes that fill(destination, count) hands out, a
// block at a time, until it gives less than it was asked for; false when
// failed() then tells of an error, and the line left unfinished is dropped.
// The unfinished last line of a block moves to the front and waits for the
// next one. Of a line longer than a block or two only its head stays, and
// the rest is passed over up to the line's end.
template <class Fill, class Failed>
bool ParseBlocks(Fill fill, Failed failed) {
  // Zero-filled: the padding after the bytes is read but never used.
  const std::unique_ptr<char[]> buffer =
      std::make_unique<char[]>(kLineHead + kReadBlock + kJwcLinePadding);
  size_t kept = 0;
  bool passingOver = false;
  for (;;) {
    const size_t got = fill(buffer.get() + kept, kReadBlock);
    if (passingOver) {
      const char* fresh = buffer.get() + kept;
      const void* lf = std::memchr(fresh, '\n', got);
      if (lf != nullptr) {
        ParsePaddedLine(WithoutCr(std::string_view(buffer.get(), kept)));
        const size_t rest = got - static_cast<size_t>(static_cast<const char*>(lf) + 1 - fresh);
        std::memmove(buffer.get(), static_cast<const char*>(lf) + 1, rest);
        kept = rest;
        passingOver = false;
      }
    } else {
      kept += got;
    }
    if (!passingOver) {
      const size_t taken = ParseCompleteLines(std::string_view(buffer.get(), kept));
      kept -= taken;
      std::memmove(buffer.get(), buffer.get() + taken, kept);
      if (kept > kLineHead) {
        kept = kLineHead;
        passingOver = true;
      }
    }
    if (got < kReadBlock) {
      if (failed()) return false;
      break;
    }
  }
  if (kept > 0) ParsePaddedLine(WithoutCr(std::string_view(buffer.get(), kept)));
  return true;
}

}  // namespace

void ParseJwcLine(std::string_view line) {
  line = line.substr(0, kMaxJwcLineBytes);
  Reader.Line.assign(line);
  Reader.Line.append(kJwcLinePadding, '\0');
  ParsePaddedLine(std::string_view(Reader.Line).substr(0, line.size()));
}

void LoadJwcTempFromBytes(std::string_view bytes) {
  // The lines that end a padding's length before the end have their padding
  // in the bytes after them and are read where they stand; the rest is
  // copied into a padded block.
  if (bytes.size() > kJwcLinePadding) {
    bytes.remove_prefix(ParseCompleteLines(bytes.substr(0, bytes.size() - kJwcLinePadding)));
  }
  ParseBlocks(
      [&bytes](char* destination, size_t count) {
        const size_t n = std::min(count, bytes.size());
        if (n > 0) std::memcpy(destination, bytes.data(), n);
        bytes.remove_prefix(n);
        return n;
      },
      [] { return false; });
}

bool LoadJwcTemp(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return false;
  const UniqueFile file(OpenFile(path, "rb"));
  if (!file) return false;
  return ParseBlocks(
      [&file](char* destination, size_t count) {
        return std::fread(destination, 1, count, file.get());
      },
      [&file] { return std::ferror(file.get()) != 0; });
}
