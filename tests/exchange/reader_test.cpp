// Tests of the JWC_TEMP.TXT reader: the tokeniser, each kind of line, and
// whole files from memory, from disk and from the fixtures.
#include "exchange/reader.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "common/sjis.h"
#include "exchange/store.h"

namespace {

// ------------------------------------------------------------------ helpers

struct TokenCase {
  std::string line;
  std::vector<std::string> tokens;  // t0 .. t(N-1)
};

std::vector<std::string> Tokens(std::string_view line) {
  std::string buffer;
  TJwcTokens tk{};
  TokenizeJwcLine(line, buffer, tk);
  return std::vector<std::string>(tk.T.begin(), tk.T.begin() + tk.N);
}

// A fresh store filled with the lines, one ParseJwcLine each.
void Read(const std::vector<std::string>& lines) {
  InitStore();
  for (const std::string& l : lines) ParseJwcLine(l);
}

std::vector<int32_t> OrderKinds() {
  std::vector<int32_t> kinds;
  for (const TJwwOrderItem& o : JwwStore.Order) kinds.push_back(o.Kind);
  return kinds;
}

std::string Num(double v) {
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

std::string Nums(std::initializer_list<double> values) {
  std::string s;
  for (double v : values) {
    if (!s.empty()) s += ' ';
    s += Num(v);
  }
  return s;
}

// Appended piece by piece: a chain of literal + string temporaries trips a
// false overlap warning of GCC 12 at -O3.
std::string Dump(const TJwwEntHead& h) {
  std::string s;
  const std::pair<const char*, int32_t> fields[] = {{"g", h.LayerGroup}, {"l", h.Layer},
                                                    {"c", h.Color},      {"t", h.LineType},
                                                    {"w", h.LineWidth},  {"z", h.ZFlags}};
  for (const auto& [tag, value] : fields) {
    if (!s.empty()) s += ' ';
    s += tag;
    s += std::to_string(value);
  }
  return s;
}

std::string Dump(const TJwwEntLine& l) {
  return Dump(l.Head) + " | p" + std::to_string(l.PolyId) + " " + Nums({l.X1, l.Y1, l.X2, l.Y2});
}

std::string Dump(const TJwwEntText& t) {
  return Dump(t.Head) + " | cmd" + std::to_string(t.TextCmd) + " cc" +
         std::to_string(t.TextAnchor) + " kind" + std::to_string(t.TextKind) + " " +
         Nums({t.Width, t.Height, t.Spacing}) + " | " + Nums({t.X, t.Y, t.DX, t.DY}) + " | " +
         Utf8FromSjis(t.FontName) + " | " + Utf8FromSjis(t.Text);
}

std::string Dump(const TJwwEntCircle& c) {
  return Dump(c.Head) + " | " + Nums({c.CX, c.CY, c.R});
}

std::string Dump(const TJwwEntArc& a) {
  return Dump(a.Head) + " | " +
         Nums({a.CX, a.CY, a.R, a.StartAngle, a.EndAngle, a.Flatness, a.Tilt});
}

std::string Dump(const TJwwEntPoint& p) {
  return Dump(p.Head) + " | " + Nums({p.X, p.Y});
}

std::string Dump(const TJwwEntCodedPoint& p) {
  return Dump(p.Head) + " | " + Nums({p.X, p.Y, p.Scale, p.Angle}) + " " + std::to_string(p.Code);
}

std::string Dump(const TJwwEntDim& d) {
  return Dump(d.Head) + "\n  line " + Dump(d.Line) + "\n  text " + Dump(d.Text);
}

std::string Dump(const TJwwEntBlk& b) {
  return Dump(b.Head) + " | " + Nums({b.X, b.Y}) + " " + Utf8FromSjis(b.Name);
}

template <class Solid>
std::string DumpSolid(const Solid& s, std::initializer_list<double> values) {
  return Dump(s.Head) + " | rgb" + std::to_string(s.SolidRGB) + " " + Nums(values);
}

std::string Dump(const TJwwEntSolid2& p) {
  return DumpSolid(p, {p.X1, p.Y1, p.X2, p.Y2});
}

std::string Dump(const TJwwEntSolid3& p) {
  return DumpSolid(p, {p.X1, p.Y1, p.X2, p.Y2, p.X3, p.Y3});
}

std::string Dump(const TJwwEntSolid4& p) {
  return DumpSolid(p, {p.X1, p.Y1, p.X2, p.Y2, p.X3, p.Y3, p.X4, p.Y4});
}

template <class Record>
std::string DumpOfKind(TJwwEntKind, const Record& r) {
  return Dump(r);
}

// "sc" and "se" keep a shape code, "so" and "sg" an inner radius.
std::string DumpOfKind(TJwwEntKind kind, const TJwwEntSolidArc& s) {
  const bool code = kind == ekSolidSc || kind == ekSolidSe;
  return DumpSolid(s, {s.CX, s.CY, s.R, s.Flatness, s.Tilt, s.Start, s.Sweep}) + " " +
         (code ? std::to_string(s.Code) : Num(s.InnerR));
}

// One line per entity of the order index, each named by its kind; texts in
// UTF-8.
std::string DumpStore() {
  std::string out;
  for (const TJwwOrderItem& o : JwwStore.Order) {
    VisitEntry(o, [&out](auto row, const auto& record) {
      out += std::string(kEntKindNames[row.Kind]) + " " + DumpOfKind(row.Kind, record) + "\n";
    });
  }
  return out;
}

// The single record a line makes, dumped; "" when it makes none or several.
std::string DumpOfOne(const std::string& line) {
  Read({line});
  return JwwStore.Order.size() == 1 ? DumpStore() : "";
}

// -------------------------------------------------------------- tokeniser

TEST(ReaderTokens, SplitQuoteEqualsAndCount) {
  const TokenCase cases[] = {
      {"pt 1 2", {"pt", "1", "2"}},
      {"pt 1 2 ", {"pt", "1", "2", ""}},
      {"  12 \t 34\t56  78", {"12", "34", "56", "78"}},
      {"", {""}},
      {"   ", {""}},
      {"ch 10 20 1 0 \"A B\"", {"ch", "10", "20", "1", "0", "A B\""}},
      {"ch 10 20 1 0 \"", {"ch", "10", "20", "1", "0", ""}},
      {"cn\"$MS Gothic", {"cn$MS Gothic"}},
      {"file=C:\\a b\\c.jww", {"file=C:\\a b\\c.jww"}},
      {"x y=1 \"2\" 3", {"x", "y=1 \"2\" 3"}},
      {"ab\"c d", {"abc d"}},
      // The same far into a long word.
      {"abcdefghijklmnopq=rs t", {"abcdefghijklmnopq=rs t"}},
      {"0123456789abcdefghij\"x y", {"0123456789abcdefghijx y"}},
      {"0123456789abcdefghijklmnopqrstuvwxyz ~!", {"0123456789abcdefghijklmnopqrstuvwxyz", "~!"}},
  };
  for (const TokenCase& c : cases) EXPECT_EQ(Tokens(c.line), c.tokens) << c.line;
}

TEST(ReaderTokens, ShiftJisPairsNeverSplitQuoteOrSwitch) {
  const TokenCase cases[] = {
      // Trail bytes 0x20, 0x22 and 0x3D are part of the character.
      {"a\x81\x20"
       "b c",
       {"a\x81\x20"
        "b",
        "c"}},
      {"a\x81\x22"
       "b c",
       {"a\x81\x22"
        "b",
        "c"}},
      {"a\x81\x3D"
       "b c",
       {"a\x81\x3D"
        "b",
        "c"}},
      // A control byte after a lead byte is its trail byte, not dropped.
      {"\x88\x09 1", {"\x88\x09", "1"}},
      // A lead byte in the last position is dropped, splitting or not.
      {"ab \x81", {"ab", ""}},
      {"ch 1 2 3 4 \"x\xE0", {"ch", "1", "2", "3", "4", "x"}},
      // Single-byte katakana (0xA1..0xDF) are ordinary bytes.
      {"\xB1\xB2 \xDF", {"\xB1\xB2", "\xDF"}},
      {"0123456789abcde\x82\xA0 z", {"0123456789abcde\x82\xA0", "z"}},
      {"0123456789abcdef\x7F\x01g", {"0123456789abcdef\x7Fg"}},
  };
  for (const TokenCase& c : cases) EXPECT_EQ(Tokens(c.line), c.tokens) << c.line;
}

TEST(ReaderTokens, ControlBytesAreDropped) {
  const TokenCase cases[] = {
      {std::string("1\x01 2\r 3\x00 4", 11), {"1", "2", "3", "4"}},
      {"1\r2", {"12"}},
      {"ch 1 2 3 4 \"a\tb\x7f", {"ch", "1", "2", "3", "4", "ab\x7f"}},
      {"\xFE\xFF"
       "a",
       {"a"}},
      {"\x1A", {""}},
  };
  for (const TokenCase& c : cases) EXPECT_EQ(Tokens(c.line), c.tokens);
}

TEST(ReaderTokens, TokensBeyondTheThirtySecondAreDropped) {
  std::string line;
  std::vector<std::string> first32;
  for (int i = 0; i < 40; ++i) {
    line += std::to_string(i) + " ";
    if (i < kMaxJwcTokens) first32.push_back(std::to_string(i));
  }
  EXPECT_EQ(Tokens(line), first32);
  line.pop_back();
  EXPECT_EQ(Tokens(line), first32);
  // Exactly 32 tokens and a trailing blank: the empty 33rd is not counted.
  std::string exact;
  for (int i = 0; i < 32; ++i) exact += "7 ";
  EXPECT_EQ(Tokens(exact).size(), 32u);
}

TEST(ReaderTokens, LongLinesAreClassifiedLikeAnyOther) {
  // A point line of 40 numbers is a coded point from its first six tokens.
  std::string line = "pt";
  for (int i = 1; i <= 40; ++i) {
    line += ' ';
    line += std::to_string(i);
  }
  Read({line, "ch 1 2 1 0 \"" + std::string(100000, 'x')});
  ASSERT_EQ(OrderKinds(), (std::vector<int32_t>{ekCodedPoint, ekText}));
  EXPECT_EQ(JwwStore.CodedPoints[0].Code, 5);
  EXPECT_EQ(JwwStore.Texts[0].Text, std::string(kMaxTextBytes, 'x'));
}

// The tokens of a line of words and blanks, cut the plain way.
std::vector<std::string> SplitAtBlanks(std::string_view line) {
  std::vector<std::string> tokens(1);
  for (const char c : line) {
    if (c != ' ' && c != '\t') {
      tokens.back() += c;
    } else if (!tokens.back().empty()) {
      tokens.emplace_back();
    }
  }
  if (tokens.size() > kMaxJwcTokens) tokens.resize(kMaxJwcTokens);
  return tokens;
}

// Lines are looked at 64 bytes at a time: a token may begin, end or run
// across the edge of such a window at any place, alone or among others.
TEST(ReaderTokens, TokensFallAnywhereAcrossTheWindows) {
  for (int lead = 0; lead <= 130; ++lead) {
    for (const int width : {1, 2, 63, 64, 65}) {
      const std::string word(static_cast<size_t>(width), 'w');
      const std::string lines[] = {
          std::string(static_cast<size_t>(lead), ' ') + word + " 1\t-2.5 ",
          std::string(static_cast<size_t>(lead), 'a') + "\t" + word,
          word + std::string(static_cast<size_t>(lead), ' '),
      };
      for (const std::string& line : lines) EXPECT_EQ(Tokens(line), SplitAtBlanks(line)) << line;
    }
  }
  // The 32nd token ends at each place around the second window's edge.
  for (int width = 1; width <= 8; ++width) {
    std::string line(static_cast<size_t>(width), 'x');
    for (int i = 1; i < 40; ++i) line += " 3";
    EXPECT_EQ(Tokens(line), SplitAtBlanks(line)) << line;
  }
}

// ----------------------------------------------------------- header lines

TEST(ReaderHeader, GroupScalesAndTextKindTable) {
  Read({"hs 100 100 100 100 50 50 50 50 1 1 1 1 1 1 1 2.5", "hcw 1 2 3 4 5 6 7 8 9 10",
        "hch 2 2.5 3 4 5 6 7 8 9 1e+01", "hcd 0 0 0.5 0.5 1 1 1 1 1 1",
        "hcc    1    2    3    4    5    6    7    8    9    2"});
  EXPECT_EQ(JwwStore.GroupScale[0], 100.0);
  EXPECT_EQ(JwwStore.GroupScale[4], 50.0);
  EXPECT_EQ(JwwStore.GroupScale[15], 2.5);
  const TTextKindEntry& k3 = JwwStore.TextKindTable[3];
  EXPECT_EQ(k3.Width, 3.0);
  EXPECT_EQ(k3.Height, 3.0);
  EXPECT_EQ(k3.Spacing, 0.5);
  EXPECT_EQ(k3.Color, 3);
  EXPECT_EQ(JwwStore.TextKindTable[10].Height, 10.0);
  EXPECT_EQ(JwwStore.TextKindTable[10].Color, 2);
  EXPECT_TRUE(JwwStore.Order.empty());
}

TEST(ReaderHeader, ShortHeaderLinesFallThrough) {
  // Too few numbers: untouched tables, or a plain line at four tokens.
  Read({"hs 2 3 4", "hcw 5 5 5", "hcc 1 2 3 4 5 6 7 8 9"});
  EXPECT_EQ(JwwStore.GroupScale[0], 1.0);
  EXPECT_EQ(JwwStore.TextKindTable[1].Width, 3.0);
  EXPECT_EQ(JwwStore.TextKindTable[1].Color, 2);
  EXPECT_EQ(DumpStore(),
            "line g0 l0 c1 t1 w0 z0 | p0 0 2 3 4\n"
            "line g0 l0 c1 t1 w0 z0 | p0 0 5 5 5\n");
}

TEST(ReaderHeader, ConsumedLinesLeaveNoTrace) {
  // Every one of these has four tokens and would otherwise be a plain line.
  Read({"file=C:\\jww\\a b c.jww", "hk 1 2 3", "hzs 1 2 3", "lgn0 a b c", "lyn5 a b c",
        "hp2 ln 100 200", "hp1- 100 200", "hhp3 ci 4 5", "hhp3"});
  EXPECT_TRUE(JwwStore.Order.empty());
  Read({"hn 1 2 3 4", "hk 1"});
  EXPECT_TRUE(JwwStore.Order.empty());
}

TEST(ReaderHeader, DrawingSizeMode) {
  Read({"hq"});
  EXPECT_FALSE(JwwStore.DrawingSizeMode);
  Read({"bz"});
  EXPECT_TRUE(JwwStore.DrawingSizeMode);
}

// ------------------------------------------------------------- attributes

TEST(ReaderAttributes, LayerDigitsAreHexadecimal) {
  const std::pair<std::string, int32_t> cases[] = {
      {"lg0", 0}, {"lg9", 9}, {"lgA", 10}, {"lga", 10},  {"lgF", 15},
      {"lgZ", 0}, {"lg", 0},  {"lg-", 0},  {"lg3 7", 3}, {"lgB2", 11},
  };
  for (const auto& [line, group] : cases) {
    Read({line, "ly" + line.substr(2)});
    EXPECT_EQ(JwwStore.Current.LayerGroup, group) << line;
    EXPECT_EQ(JwwStore.Current.Layer, group) << line;
  }
}

TEST(ReaderAttributes, FirstLineOfEachKindIsTheInitialValue) {
  Read({"lg2", "ly5", "lc3", "lt4", "lw7", "cn6", "cn\"$A B", "lg4", "ly1", "lc9", "lt2", "lw0",
        "cn2", "cn\"$C"});
  const TJwwInitialAttributes& i = JwwStore.Initial;
  EXPECT_EQ(i.LayerGroup, 2);
  EXPECT_EQ(i.Layer, 5);
  EXPECT_EQ(i.LineColor, 3);
  EXPECT_EQ(i.LineType, 4);
  EXPECT_EQ(i.LineWidth, 7);
  EXPECT_EQ(i.TextKind, 6);
  EXPECT_EQ(i.FontName, "A B");
  const TJwwAttributes& c = JwwStore.Current;
  EXPECT_EQ(c.LayerGroup, 4);
  EXPECT_EQ(c.Layer, 1);
  EXPECT_EQ(c.LineColor, 9);
  EXPECT_EQ(c.LineType, 2);
  EXPECT_EQ(c.LineWidth, 0);
  EXPECT_EQ(c.TextKind, 2);
  EXPECT_EQ(c.FontName, "C");
  const TJwwForceFlags& f = JwwStore.Force;
  EXPECT_FALSE(f.LayerGroup || f.Layer || f.LineColor || f.LineType || f.LineWidth || f.TextKind);
}

TEST(ReaderAttributes, WithoutAttributeLinesTheDefaultsStay) {
  Read({" 0 0 1 1"});
  EXPECT_EQ(JwwStore.Initial.LineColor, 1);
  EXPECT_EQ(JwwStore.Initial.TextKind, 1);
  EXPECT_EQ(JwwStore.Initial.FontName, "");
  EXPECT_TRUE(JwwStore.Force.LayerGroup && JwwStore.Force.TextKind);
}

TEST(ReaderAttributes, FreeSizeTextKind) {
  Read({"cn0 3.5 3.5 0.5 2"});
  EXPECT_EQ(JwwStore.Current.TextKind, 0);
  EXPECT_EQ(JwwStore.Current.FreeWidth, 3.5);
  EXPECT_EQ(JwwStore.Current.FreeHeight, 3.5);
  EXPECT_EQ(JwwStore.Current.FreeSpacing, 0.5);
  EXPECT_EQ(JwwStore.Current.FreeColor, 2);
  EXPECT_EQ(JwwStore.Initial.TextKind, 0);
  EXPECT_EQ(JwwStore.Initial.FreeWidth, 3.5);
  EXPECT_EQ(JwwStore.Initial.FreeColor, 2);
  // Later free sizes change only the current values; too few numbers none.
  ParseJwcLine("cn0 5 6 1 3");
  ParseJwcLine("cn0 9 9 9");
  EXPECT_EQ(JwwStore.Current.FreeWidth, 5.0);
  EXPECT_EQ(JwwStore.Current.FreeColor, 3);
  EXPECT_EQ(JwwStore.Initial.FreeWidth, 3.5);
}

// A keyword that begins with a shorter one is tried first, so its line
// never reaches the shorter keyword's rule.
TEST(ReaderAttributes, LongerKeywordsAreTriedFirst) {
  Read({"lg3", "ly4", "cn5", "lgn7 name", "lyn8 name", "cn$9", "z1x", "z2"});
  EXPECT_EQ(JwwStore.Current.LayerGroup, 3);
  EXPECT_EQ(JwwStore.Current.Layer, 4);
  EXPECT_EQ(JwwStore.Current.TextKind, 5);
  EXPECT_EQ(JwwStore.Current.FontName, "9");
  EXPECT_EQ(JwwStore.PendingZ, 2);
}

TEST(ReaderAttributes, ExplicitColorAnchorAndPointColor) {
  Read({"lc10 255", "cc5", "pn4"});
  EXPECT_EQ(JwwStore.Current.LineColor, 10);
  EXPECT_EQ(JwwStore.Current.ExplicitColor, 255);
  EXPECT_EQ(JwwStore.Current.TextAnchor, 5);
  EXPECT_EQ(JwwStore.Current.PointColor, 4);
  // Only colour 10 takes the second number; anchors beyond 8 read as 0.
  Read({"lc10 255", "lc3 77", "cc9"});
  EXPECT_EQ(JwwStore.Current.LineColor, 3);
  EXPECT_EQ(JwwStore.Current.ExplicitColor, 255);
  EXPECT_EQ(JwwStore.Current.TextAnchor, 0);
}

TEST(ReaderAttributes, FirstFontNameIsTheFirstNonEmptyOne) {
  Read({"cn$", "cn\"$" + Sjis("ＭＳ 明朝"), "cn\"$X"});
  EXPECT_EQ(JwwStore.Initial.FontName, Sjis("ＭＳ 明朝"));
  EXPECT_EQ(JwwStore.Current.FontName, "X");
}

// --------------------------------------------------------------- entities

TEST(ReaderEntities, EachKindWithItsTokenCounts) {
  const std::pair<std::string, std::string> cases[] = {
      {"ci 1 2 3", "circle g0 l0 c1 t1 w0 z0 | 1 2 3\n"},
      {"ci 1 2 3 10 20 0.5 30", "arc g0 l0 c1 t1 w0 z0 | 1 2 3 10 20 0.5 30\n"},
      {"ci 1 2 3 10 20 0.5 30 99", "arc g0 l0 c1 t1 w0 z0 | 1 2 3 10 20 0.5 30\n"},
      {"pt 1 2", "point g0 l0 c1 t1 w0 z0 | 1 2\n"},
      {"pt 1 2 0.5 90 -3", "coded g0 l0 c1 t1 w0 z0 | 1 2 0.5 90 -3\n"},
      {"pt 1 2 ", "line g0 l0 c1 t1 w0 z0 | p0 0 1 2 0\n"},
      {"BL 1 2 " + Sjis("門 扉"), "block g0 l0 c1 t1 w0 z0 | 1 2 門\n"},
      {"sc 1 2 3 0.5 0.1 0.2 0.3 5", "sc g0 l0 c1 t1 w0 z0 | rgb0 1 2 3 0.5 0.1 0.2 0.3 5\n"},
      {"se 1 2 3 0.5 0.1 0.2 0.3 100", "se g0 l0 c1 t1 w0 z0 | rgb0 1 2 3 0.5 0.1 0.2 0.3 100\n"},
      {"so 1 2 3 0.5 0.1 0.2 0.3 1.5", "so g0 l0 c1 t1 w0 z0 | rgb0 1 2 3 0.5 0.1 0.2 0.3 1.5\n"},
      {"sg 1 2 3 0.5 0.1 0.2 0.3 1.5", "sg g0 l0 c1 t1 w0 z0 | rgb0 1 2 3 0.5 0.1 0.2 0.3 1.5\n"},
      {"sl 1 2 3 4", "solid2 g0 l0 c1 t1 w0 z0 | rgb0 1 2 3 4\n"},
      {"ci 1 2 x", "circle g0 l0 c1 t1 w0 z0 | 1 2 0\n"},
      {"hs 1 2 3", "line g0 l0 c1 t1 w0 z0 | p0 0 1 2 3\n"},
      {"foo 1e+06 -3.2783543701953e-005 2.5E3",
       "line g0 l0 c1 t1 w0 z0 | p0 0 1e+06 "
       "-3.2783543701953e-05 2500\n"},
      // Keyword lines with the wrong token count make nothing.
      {"ci 1 2 3 4", ""},
      {"ci 1 2 3 4 5 6", ""},
      {"pt 1", ""},
      {"pt 1 2 3 4", ""},
      {"BL 1 2", ""},
      {"sl 1 2 3 4 5", ""},
      {"sc 1 2 3 4 5 6 7", ""},
      {"ch 1 2 3 4", ""},
      {"hq", ""},
      // Entity keywords match only whole: a longer word is no keyword.
      {"chx 1 2 1 0 \"a", ""},
      {"pts 1 2", ""},
      {"cix 1 2 3", "line g0 l0 c1 t1 w0 z0 | p0 0 1 2 3\n"},
      {"1 2 3", ""},
      {"1 2 3 4 5", ""},
  };
  for (const auto& [line, dump] : cases) EXPECT_EQ(DumpOfOne(line), dump) << line;
}

// Coordinates are the nearest double to the decimal text, on the short
// numbers the host writes as on long ones and exponent forms.
TEST(ReaderEntities, NumbersAreReadToTheNearestDouble) {
  const std::string numbers[] = {
      "0.1",
      "2.675",
      "12000.5",
      "-8000.25",
      "0.333333333333333",
      "9007199254740992",
      "9007199254740993",
      "123456789012345678",
      "1e22",
      "1e23",
      "1E-22",
      "4.9e-324",
      "-3.2783543701953e-005",
      "1.7976931348623157e308",
      "0.30000000000000004",
      "00000000000000000001.5",
      "1234567.8901234567",
      "7e-0001",
      "2.5E+003",
      "-0",
  };
  for (const std::string& n : numbers) {
    double expected = 0;
    const std::string_view digits = std::string_view(n).substr(n[0] == '-' ? 1 : 0);
    std::from_chars(digits.data(), digits.data() + digits.size(), expected);
    if (n[0] == '-') expected = -expected;
    Read({"ci " + n + " 0 1"});
    ASSERT_EQ(JwwStore.Circles.size(), 1u) << n;
    EXPECT_EQ(Num(JwwStore.Circles[0].CX), Num(expected)) << n;
  }
}

TEST(ReaderEntities, RecordsTakeTheCurrentAttributes) {
  Read({"lg3", "lyc", "lc6", "lt2", "lw5", "pn7", "lc10 65280", "ci 0 0 1", "pt 0 0",
        "sl 0 0 1 0 1 1"});
  EXPECT_EQ(DumpStore(),
            "circle g3 l12 c10 t2 w5 z0 | 0 0 1\n"
            "point g3 l12 c7 t2 w5 z0 | 0 0\n"
            "solid3 g3 l12 c10 t2 w5 z0 | rgb65280 0 0 1 0 1 1\n");
}

TEST(ReaderEntities, TextKeywordsAndSizes) {
  const std::string keywords[] = {"ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz", "c2"};
  InitStore();
  for (const std::string& k : keywords) ParseJwcLine(k + " 1 2 0 1 \"t");
  ASSERT_EQ(JwwStore.Texts.size(), 10u);
  for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(JwwStore.Texts[i].TextCmd, i);

  // Kind 1..10 from the table, kind 0 and kinds beyond 10 from the free size.
  Read({"hcw 1 2 3 4 5 6 7 8 9 10", "hcc 1 2 3 4 5 6 7 8 9 10", "cc4", "cn\"$F", "cn3",
        "ch 1 2 1 0 \"a", "cn0 7 8 0.5 6", "ch 1 2 1 0 \"b", "cn11", "ch 1 2 1 0 \"c"});
  EXPECT_EQ(DumpStore(),
            "text g0 l0 c3 t1 w0 z0 | cmd0 cc4 kind3 3 3 0 | 1 2 1 0 | F | a\n"
            "text g0 l0 c6 t1 w0 z0 | cmd0 cc4 kind0 7 8 0.5 | 1 2 1 0 | F | b\n"
            "text g0 l0 c6 t1 w0 z0 | cmd0 cc4 kind11 7 8 0.5 | 1 2 1 0 | F | c\n");
}

TEST(ReaderEntities, TextsAndFontNamesAreCutWhole) {
  // 254 ASCII bytes and a double-byte character: the character does not fit.
  const std::string text = std::string(254, 'a') + Sjis("字");
  Read({"cn\"$" + std::string(300, 'f'), "ch 0 0 1 0 \"" + text});
  EXPECT_EQ(JwwStore.Texts[0].Text, std::string(254, 'a'));
  EXPECT_EQ(JwwStore.Texts[0].FontName, std::string(255, 'f'));
}

// ---------------------------------------------------------------- solids

TEST(ReaderSolids, CornersReduceToTheDistinctOnes) {
  const std::pair<std::string, std::string> cases[] = {
      {"sl 0 0 0 0 5 5", "solid2 0 0 5 5"},
      {"sl 0 0 5 5 5 5", "solid2 0 0 5 5"},
      {"sl 0 0 5 0 5 5", "solid3 0 0 5 0 5 5"},
      {"sl 0 0 1e-11 0 5 5", "solid2 0 0 5 5"},
      {"sl 0 0 1e-9 0 5 5", "solid3 0 0 1e-09 0 5 5"},
      {"sl 1 1 1 1 1 1 1 1", "solid2 1 1 1 1"},
      {"sl 0 0 0 0 0 0 9 9", "solid2 0 0 9 9"},
      {"sl 0 0 5 5 5 5 5 5", "solid2 0 0 5 5"},
      {"sl 0 0 0 0 7 7 7 7", "solid2 0 0 7 7"},
      {"sl 0 0 5 0 5 5 0 0", "solid3 0 0 5 0 5 5"},
      {"sl 0 0 5 0 5 5 5 0", "solid3 0 0 5 0 5 5"},
      {"sl 0 0 5 0 5 5 5 5", "solid3 0 0 5 0 5 5"},
      {"sl 0 0 5 0 0 0 5 5", "solid3 0 0 5 0 5 5"},
      {"sl 0 0 5 0 5 0 0 5", "solid3 0 0 5 0 0 5"},
      {"sl 0 0 0 0 5 0 5 5", "solid3 0 0 5 0 5 5"},
      {"sl 0 0 5 0 5 5 0 5", "solid4 0 0 5 0 5 5 0 5"},
  };
  for (const auto& [line, expected] : cases) {
    const std::string dump = DumpOfOne(line);
    const size_t bar = dump.find("rgb0 ");
    ASSERT_NE(bar, std::string::npos) << line;
    EXPECT_EQ(dump.substr(0, dump.find(' ')) + " " + dump.substr(bar + 5), expected + "\n") << line;
  }
}

// ------------------------------------------------ dimensions and polylines

TEST(ReaderDimensions, MessageLineAndTextMakeOneDimension) {
  Read({"lc2", "msg", "lc4", " 0 0 100 0", " 0 0 50 0", "lc6", "cs 50 1 1 0 \"100"});
  EXPECT_EQ(DumpStore(),
            "dim g0 l0 c6 t1 w0 z0\n"
            "  line g0 l0 c4 t1 w0 z0 | p0 0 0 50 0\n"
            "  text g0 l0 c2 t1 w0 z0 | cmd2 cc0 kind1 3 3 0 | 50 1 1 0 | <ＭＳ ゴシック> | 100\n");
}

TEST(ReaderDimensions, WithoutItsOwnLineADimensionTakesThePendingOne) {
  Read({"msg", "cs 1 2 1 0 \"a"});
  EXPECT_EQ(Dump(JwwStore.Dims[0].Line), "g0 l0 c1 t1 w0 z0 | p0 0 0 1 0");
  // The pending line is not reset after use.
  Read({"msg", " 5 5 9 9", "cs 1 2 1 0 \"a", "msg", "cs 1 2 1 0 \"b"});
  ASSERT_EQ(JwwStore.Dims.size(), 2u);
  EXPECT_EQ(Dump(JwwStore.Dims[1].Line), "g0 l0 c1 t1 w0 z0 | p0 5 5 9 9");
}

TEST(ReaderDimensions, OnlyTheNextCsTextEndsTheMessage) {
  const std::pair<std::vector<std::string>, std::vector<int32_t>> cases[] = {
      {{"#", "cs 1 2 1 0 \"a"}, {ekText}},
      {{"msg", "ch 1 2 1 0 \"a", "cs 1 2 1 0 \"b"}, {ekText, ekText}},
      {{"msg", "#", "cs 1 2 1 0 \"a"}, {ekText}},
      {{"msg", "pl", "cs 1 2 1 0 \"a"}, {ekText}},
      {{"msg", "ci 0 0 1", "cs 1 2 1 0 \"a"}, {ekCircle, ekText}},
      {{"msg", "cs 1 2 1 0 \"a", "cs 1 2 1 0 \"b"}, {ekDim, ekText}},
      {{"msg", "lc3", "z1", "cs 1 2 1 0 \"a"}, {ekDim}},
  };
  for (const auto& [lines, kinds] : cases) {
    Read(lines);
    EXPECT_EQ(OrderKinds(), kinds) << lines[1];
  }
}

TEST(ReaderPolylines, LinesBetweenPlAndTheEndShareTheGroup) {
  Read({" 0 0 1 0", "pl", " 1 1 2 2", "lc3", " 2 2 3 3", "pl", " 3 3 4 4", "#", " 4 4 5 5", "pl",
        " 5 5 6 6", "pt 0 0", " 6 6 7 7", "pl", " 7 7 8 8", "msg", " 8 8 9 9"});
  std::vector<int32_t> ids;
  for (const TJwwEntLine& l : JwwStore.Lines) ids.push_back(l.PolyId);
  EXPECT_EQ(ids, (std::vector<int32_t>{0, 1, 1, 2, 0, 3, 0, 4}));
  EXPECT_EQ(JwwStore.PolyCounter, 4);
}

// ---------------------------------------------------------------- z flags

TEST(ReaderZFlags, CollectedUntilTheNextEntity) {
  Read({"z1", "z1", "z4", "lc2", " 0 0 1 1", " 0 0 2 2", "z2", "z5", "pl", " 0 0 3 3", "z3",
        "ci 0 0 1", "z5", "hs 1", "pt 0 0", "z6", "pt 0 0"});
  std::vector<int32_t> flags;
  for (const TJwwEntLine& l : JwwStore.Lines) flags.push_back(l.Head.ZFlags);
  EXPECT_EQ(flags, (std::vector<int32_t>{9, 0, 18}));
  EXPECT_EQ(JwwStore.Circles[0].Head.ZFlags, 4);
  EXPECT_EQ(JwwStore.Points[0].Head.ZFlags, 16);
  EXPECT_EQ(JwwStore.Points[1].Head.ZFlags, 0);
}

TEST(ReaderZFlags, APendingDimensionLineTakesAndClearsThem) {
  Read({"msg", "z1", " 0 0 5 0", "z2", "cs 1 1 1 0 \"5"});
  EXPECT_EQ(JwwStore.Dims[0].Line.Head.ZFlags, 1);
  EXPECT_EQ(JwwStore.Dims[0].Head.ZFlags, 2);
  EXPECT_EQ(JwwStore.PendingZ, 0);
}

// ------------------------------------------------------------- whole files

TEST(ReaderFile, LineEnds) {
  const std::pair<std::string, std::string> cases[] = {
      {"ci 1 1 1\r\nci 2 2 2\r\n", "circle 1 1 1|circle 2 2 2|"},
      {"ci 1 1 1\nci 2 2 2", "circle 1 1 1|circle 2 2 2|"},
      {"ci 1 1 1\r\n\r\n\nci 2 2 2\r", "circle 1 1 1|circle 2 2 2|"},
      {"ci 1\r1 1 1\r\n", "circle 11 1 1|"},
      // The lead byte before CR LF ends its line instead of taking the CR.
      {"ch 0 0 1 0 \"a\x81\r\nci 2 2 2\r\n", "text a|circle 2 2 2|"},
      {"", ""},
  };
  for (const auto& [bytes, expected] : cases) {
    InitStore();
    LoadJwcTempFromBytes(bytes);
    std::string got;
    for (const TJwwEntCircle& c : JwwStore.Circles)
      got += "circle " + Nums({c.CX, c.CY, c.R}) + "|";
    for (const TJwwEntText& t : JwwStore.Texts) got = "text " + t.Text + "|" + got;
    EXPECT_EQ(got, expected);
  }
}

TEST(ReaderFile, MissingUnreadableAndPresentFiles) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "horune_reader_test";
  std::filesystem::create_directories(dir);
  InitStore();
  EXPECT_FALSE(LoadJwcTemp(dir / "no_such_file.txt"));
  EXPECT_FALSE(LoadJwcTemp(dir));
  const std::filesystem::path file = dir / "JWC_TEMP.TXT";
  // More than one read block, and a last line without its end.
  std::string bytes;
  for (int i = 0; i < 120000; ++i) bytes += " 1 2 3 " + std::to_string(i) + "\r\n";
  bytes += "ci 0 0 1";
  std::ofstream(file, std::ios::binary) << bytes;
  InitStore();
  EXPECT_TRUE(LoadJwcTemp(file));
  ASSERT_EQ(JwwStore.Lines.size(), 120000u);
  EXPECT_EQ(JwwStore.Lines[119999].Y2, 119999.0);
  EXPECT_EQ(JwwStore.Circles.size(), 1u);
  std::filesystem::remove_all(dir);
}

// What a broken file left in the store, in short.
std::string StoreSummary() {
  std::string s = std::to_string(JwwStore.Order.size()) + " entries";
  for (const TJwwEntCircle& c : JwwStore.Circles) s += "|circle " + Nums({c.CX, c.CY, c.R});
  for (const TJwwEntText& t : JwwStore.Texts) s += "|text of " + std::to_string(t.Text.size());
  return s;
}

// Files a host, a disk or a user may leave instead of a drawing. Each is read
// from disk and from memory alike; a line far past what is read, across
// several read blocks, costs nothing and hides none of the lines after it.
TEST(ReaderFile, BrokenFilesReadLikeTheirBytes) {
  const std::string huge(3 << 20, 'x');
  const std::string filler((1 << 20) - 6, '\n');  // the next line runs across a block's end
  std::string garbage;
  uint32_t seed = 12345;
  for (int i = 0; i < 100000; ++i)
    garbage += static_cast<char>((seed = seed * 1103515245 + 12345) >> 24);
  const std::string head(kMaxJwcLineBytes - 13, 'y');
  const std::pair<std::string, std::string> cases[] = {
      {"", "0 entries"},
      {"\r\n\r\n\x1a", "0 entries"},
      {"ch 0 0 1 0 \"" + huge + "\r\nci 1 2 3\r\n", "2 entries|circle 1 2 3|text of 255"},
      {filler + "ci 1 2 3\r\n" + huge + huge + "\r\nci 4 5 6",
       "2 entries|circle 1 2 3|circle 4 5 6"},
      {"ci 1 2 3\n" + huge, "1 entries|circle 1 2 3"},
      // A line of exactly the bytes read ending in a lead byte: the CR after
      // it is the line's end, not the second byte of a pair.
      {"ch 0 0 1 0 \"" + head + "\x81\r\nci 1 2 3\r\n", "2 entries|circle 1 2 3|text of 255"},
      {garbage, ""},
  };
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "horune_reader_broken.txt";
  for (const auto& [bytes, expected] : cases) {
    InitStore();
    LoadJwcTempFromBytes(bytes);
    const std::string fromBytes = StoreSummary();
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    InitStore();
    EXPECT_TRUE(LoadJwcTemp(file));
    EXPECT_EQ(StoreSummary(), fromBytes) << bytes.size();
    if (!expected.empty()) {
      EXPECT_EQ(fromBytes, expected);
    }
  }
  std::filesystem::remove(file);
}

TEST(ReaderFile, CapacitiesFollowTheGrowthRule) {
  std::string bytes;
  for (int i = 0; i < 2500; ++i) bytes += " 0 0 1 1\r\n";
  for (int i = 0; i < 1000; ++i) bytes += "ci 0 0 1\r\n";
  InitStore();
  LoadJwcTempFromBytes(bytes);
  EXPECT_EQ(JwwStore.Lines.capacity(), 3000u);
  EXPECT_EQ(JwwStore.Circles.capacity(), 1000u);
  EXPECT_EQ(JwwStore.Order.capacity(), 4000u);
  EXPECT_EQ(JwwStore.Texts.capacity(), 0u);
}

// A drawing as the host writes it: header lines, numbered points, chained
// polylines, exponent forms, hexadecimal layers, every entity kind.
TEST(ReaderFixture, SiteDrawing) {
  InitStore();
  ASSERT_TRUE(LoadJwcTemp("fixtures/host_site.txt"));
  EXPECT_EQ(DumpStore(),
            "line g2 l0 c1 t1 w0 z0 | p0 0 0 12000.5 0\n"
            "line g2 l0 c1 t1 w0 z0 | p0 12000.5 0 12000.5 -8000.25\n"
            "line g2 l14 c5 t2 w0 z0 | p1 0 0 100 0\n"
            "line g2 l14 c5 t2 w0 z0 | p1 100 0 100 100\n"
            "line g2 l14 c5 t2 w0 z0 | p2 100 100 0 100\n"
            "line g2 l14 c5 t2 w0 z0 | p2 0 100 0 0\n"
            "line g2 l14 c5 t2 w0 z0 | p0 -3.2783543701953e-05 1e+06 2500 -0\n"
            "text g2 l14 c3 t2 w0 z0 | cmd0 cc0 kind3 3 3 0.5 | 100 200 1 0 | ＭＳ ゴシック | "
            "敷地境界 A\n"
            "text g2 l14 c2 t2 w0 z0 | cmd2 cc0 kind0 3.5 3.5 0.5 | 100 -50 0 1 | ＭＳ ゴシック | "
            "測点 \"P1\"\n"
            "circle g2 l14 c5 t2 w0 z0 | 500 500 250\n"
            "arc g2 l14 c5 t2 w0 z0 | 500 500 250 0 90 1 0\n"
            "solid4 g2 l14 c10 t2 w0 z0 | rgb16711680 0 0 10 0 10 10 0 10\n"
            "solid2 g2 l14 c10 t2 w0 z0 | rgb16711680 0 0 10 10\n"
            "point g2 l14 c2 t2 w0 z0 | 1200 3400\n"
            "coded g2 l14 c2 t2 w0 z9 | 1200 3400 1 45 7\n"
            "dim g2 l14 c3 t2 w0 z0\n"
            "  line g2 l14 c3 t2 w0 z0 | p0 0 -1000 12000.5 -1000\n"
            "  text g2 l14 c2 t2 w0 z0 | cmd2 cc0 kind0 3.5 3.5 0.5 | 6000.25 -900 1 0 | "
            "ＭＳ ゴシック | 12000.5\n"
            "sc g2 l14 c3 t2 w0 z0 | rgb16711680 0 0 300 1 0 0 1.5707963267949 5\n"
            "so g2 l14 c3 t2 w0 z0 | rgb16711680 0 0 300 1 0 0 3.14159265358979 150\n"
            "block g2 l14 c3 t2 w0 z0 | 10 20 門扉\n"
            "line g15 l15 c3 t2 w0 z0 | p0 1 2 3 4\n");
  const TJwwStore& s = JwwStore;
  EXPECT_EQ(s.GroupScale[3], 100.0);
  EXPECT_EQ(s.GroupScale[7], 50.0);
  EXPECT_EQ(s.GroupScale[8], 1.0);
  EXPECT_EQ(s.TextKindTable[2].Width, 2.5);
  EXPECT_EQ(s.TextKindTable[10].Color, 2);
  EXPECT_FALSE(s.DrawingSizeMode);
  EXPECT_EQ(s.Initial.LayerGroup, 2);
  EXPECT_EQ(s.Initial.Layer, 0);
  EXPECT_EQ(s.Initial.LineColor, 1);
  EXPECT_EQ(s.Initial.LineType, 1);
  EXPECT_EQ(s.Initial.TextKind, 3);
  EXPECT_EQ(Utf8FromSjis(s.Initial.FontName), "ＭＳ ゴシック");
}

// A paper-size drawing whose first text kind is a free size, with z flags
// inside a chained polyline and a dimension without its own line.
TEST(ReaderFixture, PaperDrawing) {
  InitStore();
  ASSERT_TRUE(LoadJwcTemp("fixtures/host_paper.txt"));
  EXPECT_EQ(
      DumpStore(),
      "line g10 l3 c2 t1 w1 z2 | p1 0 0 10 0\n"
      "line g10 l3 c2 t1 w1 z4 | p1 10 0 10 10\n"
      "line g10 l3 c2 t1 w1 z0 | p2 10 10 0 10\n"
      "dim g10 l3 c2 t1 w1 z0\n"
      "  line g0 l0 c1 t1 w0 z0 | p0 0 0 1 0\n"
      "  text g10 l3 c1 t1 w1 z0 | cmd2 cc0 kind0 2.5 2.5 0 | 5 1 1 0 | ＭＳ 明朝 | \n"
      "line g10 l3 c2 t1 w1 z0 | p0 0 0 0 0\n"
      "text g10 l3 c1 t1 w1 z0 | cmd6 cc0 kind0 2.5 2.5 0 | 1 2 1 0 | ＭＳ 明朝 | ＧＬ＋５００\n");
  EXPECT_TRUE(JwwStore.DrawingSizeMode);
  EXPECT_EQ(JwwStore.Initial.TextKind, 0);
  EXPECT_EQ(JwwStore.Initial.FreeWidth, 2.5);
  EXPECT_EQ(JwwStore.Initial.FreeColor, 1);
  EXPECT_EQ(JwwStore.Initial.LayerGroup, 10);
}

}  // namespace
