// Tests of the command writer: attribute commands, entity commands and the
// command group of each kind.
#include "exchange/writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "exchange/store.h"
#include "tests/exchange/store_setup.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;

Lines QueuedLines() {
  return {JwwStore.Output.begin(), JwwStore.Output.end()};
}

class WriterTest : public ::testing::Test {
 protected:
  void SetUp() override { StoreAsAfterReading(); }
  static Lines Queued() { return QueuedLines(); }
};

// A step of calls and the lines it must queue, run on a fresh store.
struct Case {
  const char* name;
  std::function<void()> act;
  Lines expected;
};

void ExpectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    StoreAsAfterReading();
    c.act();
    EXPECT_EQ(QueuedLines(), c.expected) << c.name;
  }
}

TJwwEntHead Head(int32_t group, int32_t layer, int32_t color = 1, int32_t type = 1,
                 int32_t width = 0, int32_t z = 0) {
  return {group, layer, color, type, width, z};
}

TJwwEntLine Line(double x1, double y1, double x2, double y2, int32_t polyId = 0,
                 TJwwEntHead h = Head(0, 0)) {
  return {h, polyId, x1, y1, x2, y2};
}

TJwwEntText Text(int32_t cmd, std::string text, double dx = 1, double dy = 0) {
  TJwwEntText t{};
  t.Head = Head(0, 0, 2);
  t.TextCmd = cmd;
  t.TextKind = 1;
  t.Width = t.Height = 3;
  t.X = 10;
  t.Y = 20;
  t.DX = dx;
  t.DY = dy;
  t.FontName = "F";
  t.Text = std::move(text);
  return t;
}

TJwwEntDim Dim(TJwwEntLine line, std::string text, double dx = 1, double dy = 0) {
  TJwwEntDim d{};
  d.Head = line.Head;
  d.Line = line;
  d.Text = Text(2, std::move(text), dx, dy);
  return d;
}

TJwwEntSolidArc SolidArc(double r, double flatness, int32_t code, double innerR = 0) {
  TJwwEntSolidArc s{};
  s.Head = Head(0, 0, 3);
  s.CX = 1;
  s.CY = 2;
  s.R = r;
  s.Flatness = flatness;
  s.Start = 0.5;
  s.Sweep = 1.5;
  s.Code = code;
  s.InnerR = innerR;
  return s;
}

// Queues the command group of every entry, as one write-all walk does.
void QueueAllGroups(const TWriteOverrides& o = {}) {
  int32_t openPolyline = 0;
  for (size_t i = 0; i < JwwStore.Order.size(); ++i) QueueEntityGroup(i, o, openPolyline);
}

const std::string kA = "\x82\xa0";  // a double-byte character (hiragana a)

TEST_F(WriterTest, QueueLineCutsAt255BytesWithoutSplittingACharacter) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {std::string(300, 'a'), std::string(255, 'a')},
      {std::string(255, 'a'), std::string(255, 'a')},
      {std::string(253, 'a') + kA + "bb", std::string(253, 'a') + kA},
      // The pair would straddle the limit: it goes whole, the line is 254 bytes.
      {std::string(254, 'a') + kA + "b", std::string(254, 'a')},
      {std::string(254, 'a') + kA, std::string(254, 'a')},
  };
  for (const auto& [in, out] : cases) QueueLine(in);
  ASSERT_EQ(Queued().size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(Queued()[i], cases[i].second) << i;
}

TEST_F(WriterTest, QueueGrowsInStepsOf1000AndClearReleases) {
  QueueLine("a");
  EXPECT_EQ(JwwStore.Output.capacity(), 1000u);
  for (int i = 0; i < 1000; ++i) QueueLine("a");
  EXPECT_EQ(JwwStore.Output.capacity(), 2000u);
  for (int i = 0; i < 1000; ++i) QueueLine("a");
  EXPECT_EQ(JwwStore.Output.capacity(), 3000u);
  ClearOutput();
  EXPECT_THAT(Queued(), IsEmpty());
  EXPECT_EQ(JwwStore.Output.capacity(), 0u);
}

TEST_F(WriterTest, QueueMessagePrefixesHash) {
  QueueMessage(Sjis("ペン作図は行いませんでした。"));
  EXPECT_THAT(Queued(), ElementsAre("h#" + Sjis("ペン作図は行いませんでした。")));
}

TEST(WriterAttributes, QueuedWhenForcedOrChanged) {
  ExpectCases({
      {"forced once, then on change",
       [] {
         QueueLineColor(1);
         QueueLineColor(1);
         QueueLineColor(2);
         QueueLineType(1);
         QueueLineType(1);
         QueuePointColor(1, 0);
         QueuePointColor(7, 0);
       },
       {"lc1", "lc2", "lt1", "pn1", "pn7"}},
      {"a group command forces the layer command",
       [] {
         QueueLayerGroup(2);
         QueueLayer(3);
         QueueLayerGroup(2);
         QueueLayer(5);
         QueueLayerGroup(3);
         QueueLayer(5);
       },
       {"lg2", "ly3", "ly5", "lg3", "ly5"}},
      {"layers as one hexadecimal digit",
       [] {
         QueueLayerGroup(10);
         QueueLayer(15);
       },
       {"lgA", "lyF"}},
      {"a layer outside 0..15 goes as 0",
       [] {
         QueueLayerGroup(16);
         QueueLayer(-2);
       },
       {"lg0", "ly0"}},
      {"line width range and the initial width",
       [] {
         JwwStore.Initial.LineWidth = 5;
         QueueLineWidth(40000);
         QueueLineWidth(-1);
         QueueLineWidth(-1);
         QueueLineWidth(30000);
       },
       {"lw0", "lw5", "lw30000"}},
      {"text anchor outside 0..8 goes as 0",
       [] {
         QueueTextAnchor(9);
         QueueTextAnchor(0);
         QueueTextAnchor(8);
       },
       {"cc0", "cc8"}},
  });
}

TEST(WriterAttributes, ExplicitColor) {
  ExpectCases({
      {"on change of the colour or of the line colour",
       [] {
         QueueExplicitColor(255);
         QueueExplicitColor(255);
         QueueLineColor(10);
         QueueExplicitColor(256);
         QueueLineColor(3);
         QueueExplicitColor(256);
       },
       {"lc10 255", "lc10 256", "lc3", "lc10 256"}},
      {"outside 24 bits goes as 0",
       [] {
         QueueExplicitColor(-5);
         QueueExplicitColor(0x1000000);
       },
       {"lc10 0"}},
      {"the line colour flag alone forces it",
       [] {
         JwwStore.Current.LineColor = 10;
         JwwStore.Current.ExplicitColor = 255;
         JwwStore.Force.ExplicitColor = false;
         QueueExplicitColor(255);
         QueueLineColor(10);
       },
       {"lc10 255"}},
      {"a line colour command takes the explicit flag down",
       [] {
         JwwStore.Current.LineColor = 10;
         JwwStore.Current.ExplicitColor = 255;
         QueueLineColor(10);
         QueueExplicitColor(255);
       },
       {"lc10"}},
  });
}

TEST(WriterAttributes, TextKindAndFont) {
  ExpectCases({
      {"a text kind never in the free-size form",
       [] {
         QueueTextKind(3, 9, 1, 1, 1);
         QueueTextKind(3, 8, 2, 2, 2);
       },
       {"cn3"}},
      {"free size, queued again when a value changes",
       [] {
         QueueTextKind(0, 1, 2.5, 2.5, 0);
         QueueTextKind(0, 1, 2.5, 2.5, 0);
         QueueTextKind(0, 1, 2.5, 3, 0);
         QueueTextKind(0, 4, 2.5, 3, 0);
         QueueTextKind(0, 4, 2.5, 3, 0.25);
       },
       {"cn0 2.5 2.5 0 1", "cn0 2.5 3 0 1", "cn0 2.5 3 0 4", "cn0 2.5 3 0.25 4"}},
      {"a kind outside 0..10 is the initial kind",
       [] {
         JwwStore.Initial.TextKind = 4;
         QueueTextKind(11, 1, 1, 1, 1);
       },
       {"cn4"}},
      {"an initial free size brings its own size and colour",
       [] {
         JwwStore.Initial.TextKind = 0;
         JwwStore.Initial.FreeWidth = 1.5;
         JwwStore.Initial.FreeHeight = 2;
         JwwStore.Initial.FreeSpacing = 0.5;
         JwwStore.Initial.FreeColor = 6;
         QueueTextKind(-1, 1, 9, 9, 9);
       },
       {"cn0 1.5 2 0.5 6"}},
      {"an empty or <> font is the first font read",
       [] {
         JwwStore.Initial.FontName = Sjis("ＭＳ 明朝");
         QueueFont("");
         QueueFont("<>");
         QueueFont(Sjis("ＭＳ 明朝"));
         QueueFont("Arial Bold");
       },
       {"cn\"$" + Sjis("ＭＳ 明朝"), "cn\"$Arial Bold"}},
  });
}

TEST_F(WriterTest, ZFlagsInOrderWithZ5BeforeZ4) {
  const std::vector<std::pair<int32_t, Lines>> cases = {
      {0, {}}, {9, {"z1", "z4"}}, {24, {"z5"}}, {31, {"z1", "z2", "z3", "z5"}}, {6, {"z2", "z3"}},
  };
  for (const auto& [z, expected] : cases) {
    ClearOutput();
    QueueZFlags(z);
    QueueZFlags(z);
    Lines twice = expected;
    twice.insert(twice.end(), expected.begin(), expected.end());
    EXPECT_EQ(Queued(), twice) << z;
  }
}

TEST(WriterEntities, LinesCirclesArcsPoints) {
  ExpectCases({
      {"line", [] { QueueCommand(Line(0, 0, 10, -0.5)); }, {"0 0 10 -0.5"}},
      {"line of length 0 within 1e-8", [] { QueueCommand(Line(1, 1, 1 + 9e-9, 1 - 9e-9)); }, {}},
      {"circle",
       [] {
         QueueCommand(TJwwEntCircle{{}, 1, 2, 2.5});
       },
       {"ci 1 2 2.5"}},
      {"circle of radius 1e-8",
       [] {
         QueueCommand(TJwwEntCircle{{}, 1, 2, 1e-8});
       },
       {}},
      {"arc",
       [] {
         QueueCommand(TJwwEntArc{{}, 1, 2, 3, 0, 90, -0.5, 30});
       },
       {"ci 1 2 3 0 90 -0.5 30"}},
      {"arc without radius",
       [] {
         QueueCommand(TJwwEntArc{{}, 1, 2, 0, 0, 90, 1, 0});
       },
       {}},
      {"arc without flatness",
       [] {
         QueueCommand(TJwwEntArc{{}, 1, 2, 3, 0, 90, 1e-9, 0});
       },
       {}},
      {"point",
       [] {
         QueueCommand(TJwwEntPoint{{}, 1.5, -2});
       },
       {"pt 1.5 -2"}},
      {"coded point",
       [] {
         QueueCommand(TJwwEntCodedPoint{{}, 1, 2, 0.5, 45, -7});
       },
       {"pt 1 2 0.5 45 -7"}},
      {"coded point, scale 0 and an unknown code",
       [] {
         QueueCommand(TJwwEntCodedPoint{{}, 1, 2, 1e-9, 45, 12});
         QueueCommand(TJwwEntCodedPoint{{}, 1, 2, -2, 0, -8});
       },
       {"pt 1 2 1 45 -3", "pt 1 2 -2 0 -3"}},
      {"numbers in the exchange format",
       [] { QueueCommand(Line(1.0 / 3, 1e-6, 1e16, -100)); },
       {"0.333333333333333 1E-6 1E16 -100"}},
  });
}

TEST(WriterEntities, Texts) {
  ExpectCases({
      {"keyword line, then the text",
       [] { QueueCommand(Text(0, "AB")); },
       {"ch 10 20 1 0 \"", "AB"}},
      {"keyword by command",
       [] {
         for (int32_t cmd : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, -1}) QueueCommand(Text(cmd, "x"));
       },
       {"cv 10 20 1 0 \"", "x", "cs 10 20 1 0 \"", "x", "cr 10 20 1 0 \"", "x",
        "co 10 20 1 0 \"", "x", "cp 10 20 1 0 \"", "x", "ct 10 20 1 0 \"", "x",
        "ck 10 20 1 0 \"", "x", "cz 10 20 1 0 \"", "x", "c2 10 20 1 0 \"", "x",
        "ch 10 20 1 0 \"", "x", "ch 10 20 1 0 \"", "x"}},
      {"a 255-byte text is not cut by the numbers before it",
       [] { QueueCommand(Text(0, std::string(255, 't'), 123456.789, -0.000123)); },
       {"ch 10 20 123456.789 -0.000123 \"", std::string(255, 't')}},
      {"three full-width spaces", [] { QueueCommand(Text(0, Sjis("　　　"))); }, {}},
      {"no direction", [] { QueueCommand(Text(0, "AB", 1e-8, -1e-8)); }, {}},
  });
}

TEST(WriterEntities, Dimensions) {
  ExpectCases({
      {"line and text",
       [] { QueueCommand(Dim(Line(0, 0, 100, 0), "100mm")); },
       {"msg", "0 0 100 0", "cs 10 20 1 0 \"", "100mm"}},
      {"a blank text gives the length",
       [] { QueueCommand(Dim(Line(0, 0, 3, 4), " ")); },
       {"msg", "0 0 3 4", "cs 10 20 1 0 \"", "5"}},
      {"the length brought to 1e-8",
       [] { QueueCommand(Dim(Line(0, 0, 1, 1), "")); },
       {"msg", "0 0 1 1", "cs 10 20 1 0 \"", "1.41421356"}},
      {"degenerate line", [] { QueueCommand(Dim(Line(5, 5, 5, 5), "x")); }, {}},
      {"no direction", [] { QueueCommand(Dim(Line(0, 0, 1, 0), "x", 0, 0)); }, {}},
  });
}

TEST(WriterEntities, Solids) {
  const auto solid4 = [](double x2, double y2, double x3, double y3, double x4, double y4) {
    QueueCommand(TJwwEntSolid4{{}, 0, 0, 0, x2, y2, x3, y3, x4, y4});
  };
  ExpectCases({
      {"two points",
       [] {
         QueueCommand(TJwwEntSolid2{{}, 0, 0, 0, 1, 2});
       },
       {"sl 0 0 1 2"}},
      {"two equal points",
       [] {
         QueueCommand(TJwwEntSolid2{{}, 0, 1, 2, 1, 2 + 5e-9});
       },
       {}},
      {"three points",
       [] {
         QueueCommand(TJwwEntSolid3{{}, 0, 0, 0, 1, 0, 0, 1});
       },
       {"sl 0 0 1 0 0 1"}},
      {"three points, two equal",
       [] {
         QueueCommand(TJwwEntSolid3{{}, 0, 0, 0, 0, 0, 0, 1});
         QueueCommand(TJwwEntSolid3{{}, 0, 0, 0, 1, 0, 0, 0});
         QueueCommand(TJwwEntSolid3{{}, 0, 0, 0, 1, 0, 1, 0});
       },
       {}},
      {"four distinct corners", [=] { solid4(1, 0, 1, 1, 0, 1); }, {"sl 0 0 1 0 1 1 0 1"}},
      {"P2 = P1", [=] { solid4(0, 0, 1, 1, 0, 1); }, {"sl 0 0 1 1 0 1"}},
      {"P3 = P1", [=] { solid4(1, 0, 0, 0, 0, 1); }, {}},
      {"P4 = P1", [=] { solid4(1, 0, 1, 1, 0, 0); }, {"sl 0 0 1 0 1 1"}},
      {"P3 = P2", [=] { solid4(1, 0, 1, 0, 0, 1); }, {"sl 0 0 1 0 0 1"}},
      {"P4 = P2", [=] { solid4(1, 0, 1, 1, 1, 0); }, {}},
      {"P4 = P3", [=] { solid4(1, 0, 1, 1, 1, 1); }, {"sl 0 0 1 0 1 1"}},
      {"P2 = P1 leaves a triangle with two equal corners", [=] { solid4(0, 0, 1, 1, 1, 1); }, {}},
  });
}

TEST(WriterEntities, RoundSolids) {
  ExpectCases({
      {"sc codes",
       [] {
         for (int32_t code : {0, 5, 100, -1, 6, 1}) QueueCommand(ekSolidSc, SolidArc(3, 1, code));
       },
       {"sc 1 2 3 1 0 0.5 1.5 0", "sc 1 2 3 1 0 0.5 1.5 5", "sc 1 2 3 1 0 0.5 1.5 100",
        "sc 1 2 3 1 0 0.5 1.5 -1"}},
      {"se codes",
       [] {
         for (int32_t code : {0, 100, 5, -1}) QueueCommand(ekSolidSe, SolidArc(3, 1, code));
       },
       {"se 1 2 3 1 0 0.5 1.5 0", "se 1 2 3 1 0 0.5 1.5 100"}},
      {"so and sg with an inner radius",
       [] {
         QueueCommand(ekSolidSo, SolidArc(3, 1, 0, 1));
         QueueCommand(ekSolidSg, SolidArc(3, 0.5, 0, 2.5));
       },
       {"so 1 2 3 1 0 0.5 1.5 1", "sg 1 2 3 0.5 0 0.5 1.5 2.5"}},
      {"degenerate round solids",
       [] {
         QueueCommand(ekSolidSc, SolidArc(1e-8, 1, 0));
         QueueCommand(ekSolidSe, SolidArc(3, -1e-9, 0));
         QueueCommand(ekSolidSo, SolidArc(3, 1, 0, 1e-8));
         QueueCommand(ekSolidSo, SolidArc(3, 1, 0, 3 - 1e-8));
         QueueCommand(ekSolidSg, SolidArc(3, 1, 0, 4));
         QueueCommand(ekSolidSg, SolidArc(3, 0, 0, 1));
       },
       {}},
  });
}

TEST(WriterGroups, AttributesOncePerChange) {
  ExpectCases({
      {"two lines with the same attributes",
       [] {
         PushRecord(ekLine, JwwStore.Lines, Line(0, 0, 1, 0, 0, Head(2, 3, 5, 2, 1)));
         PushRecord(ekLine, JwwStore.Lines, Line(1, 0, 1, 1, 0, Head(2, 3, 5, 2, 1)));
         PushRecord(ekLine, JwwStore.Lines, Line(1, 1, 0, 1, 0, Head(2, 5, 5, 2, 1)));
         PushRecord(ekLine, JwwStore.Lines, Line(0, 1, 0, 0, 0, Head(3, 5, 5, 2, 1)));
         QueueAllGroups();
       },
       {"lg2", "ly3", "lc5", "lt2", "lw1", "0 0 1 0", "1 0 1 1", "ly5", "1 1 0 1", "lg3", "ly5",
        "0 1 0 0"}},
      {"a line of length 0 still sends its attributes",
       [] {
         PushRecord(ekLine, JwwStore.Lines, Line(1, 1, 1, 1, 0, Head(0, 0, 1, 1, 0, 1)));
         QueueAllGroups();
       },
       {"lg0", "ly0", "lc1", "lt1", "lw0", "z1"}},
      {"circle and arc",
       [] {
         PushRecord(ekCircle, JwwStore.Circles, TJwwEntCircle{Head(1, 1, 2, 3, 4, 2), 0, 0, 1});
         PushRecord(ekArc, JwwStore.Arcs, TJwwEntArc{Head(1, 1, 2, 3, 4), 0, 0, 1, 0, 90, 1, 0});
         QueueAllGroups();
       },
       {"lg1", "ly1", "lc2", "lt3", "lw4", "z2", "ci 0 0 1", "ci 0 0 1 0 90 1 0"}},
      {"points in the point colour, no line type",
       [] {
         PushRecord(ekPoint, JwwStore.Points, TJwwEntPoint{Head(0, 1, 6, 9, 2), 1, 2});
         PushRecord(ekCodedPoint, JwwStore.CodedPoints,
                    TJwwEntCodedPoint{Head(0, 1, 7, 9, 2, 16), 1, 2, 1, 0, 3});
         QueueAllGroups();
       },
       {"lg0", "ly1", "pn6", "lw2", "pt 1 2", "pn7", "z5", "pt 1 2 1 0 3"}},
      {"text: kind, anchor and font, no pen",
       [] {
         TJwwEntText t = Text(0, "12");
         t.Head = Head(4, 2, 2, 9, 9, 1);
         t.TextAnchor = 5;
         PushRecord(ekText, JwwStore.Texts, t);
         t.Text = Sjis("　　　");
         t.TextKind = 3;
         PushRecord(ekText, JwwStore.Texts, t);
         QueueAllGroups();
       },
       {"lg4", "ly2", "cn1", "cc5", "cn\"$F", "z1", "ch 10 20 1 0 \"", "12", "cn3", "z1"}},
      {"dimension: layer of its own, pen of its line, text attributes of its text",
       [] {
         TJwwEntDim d = Dim(Line(0, 0, 2, 0, 0, Head(9, 9, 4, 5, 6)), "");
         d.Head = Head(1, 2, 8, 8, 8, 4);
         d.Text.TextKind = 0;
         d.Text.Width = d.Text.Height = 2.5;
         d.Text.Spacing = 0;
         d.Text.Head.Color = 1;
         PushRecord(ekDim, JwwStore.Dims, d);
         QueueAllGroups();
       },
       {"lg1", "ly2", "lc4", "lt5", "lw6", "cn0 2.5 2.5 0 1", "cc0", "cn\"$F", "z3", "msg",
        "0 0 2 0", "cs 10 20 1 0 \"", "2"}},
      {"solids: colour, width only for two points and se",
       [] {
         PushRecord(ekSolid2, JwwStore.Solids2,
                    TJwwEntSolid2{Head(0, 0, 10, 1, 3), 255, 0, 0, 1, 1});
         PushRecord(ekSolid3, JwwStore.Solids3,
                    TJwwEntSolid3{Head(0, 0, 10, 1, 4), 255, 0, 0, 1, 0, 0, 1});
         PushRecord(ekSolid4, JwwStore.Solids4,
                    TJwwEntSolid4{Head(0, 0, 10, 1, 4), 128, 0, 0, 1, 0, 1, 1, 0, 1});
         PushRecord(ekSolidSc, JwwStore.SolidsSc, SolidArc(3, 1, 0));
         PushRecord(ekSolidSe, JwwStore.SolidsSe, SolidArc(3, 1, 100));
         PushRecord(ekSolidSo, JwwStore.SolidsSo, SolidArc(3, 1, 0, 1));
         PushRecord(ekSolidSg, JwwStore.SolidsSg, SolidArc(3, 1, 0, 1));
         QueueAllGroups();
       },
       {"lg0", "ly0", "lc10 255", "lw3", "sl 0 0 1 1", "sl 0 0 1 0 0 1", "lc10 128",
        "sl 0 0 1 0 1 1 0 1", "lc3", "sc 1 2 3 1 0 0.5 1.5 0", "lw0", "se 1 2 3 1 0 0.5 1.5 100",
        "so 1 2 3 1 0 0.5 1.5 1", "sg 1 2 3 1 0 0.5 1.5 1"}},
      {"blocks are never sent",
       [] {
         PushRecord(ekBlock, JwwStore.Blocks, TJwwEntBlk{Head(3, 3), 1, 2, "name"});
         QueueAllGroups();
       },
       {}},
  });
}

TEST(WriterGroups, Overrides) {
  ExpectCases({
      {"layer and pen overrides; group and layer outside 0..15 keep the record's",
       [] {
         PushRecord(ekLine, JwwStore.Lines, Line(0, 0, 1, 0, 0, Head(2, 3, 5, 2, 1)));
         TWriteOverrides o;
         o.Group = 16;
         o.Layer = 7;
         o.Color = 4;
         o.LineType = 6;
         o.LineWidth = 40000;
         QueueAllGroups(o);
       },
       {"lg2", "ly7", "lc4", "lt6", "lw0", "0 0 1 0"}},
      {"a text colour override sends the free size with the record's own size",
       [] {
         PushRecord(ekText, JwwStore.Texts, Text(0, "A"));
         TWriteOverrides o;
         o.TextColor = 5;
         o.TextAnchor = 9;
         QueueAllGroups(o);
       },
       {"lg0", "ly0", "cn0 3 3 0 5", "cc0", "cn\"$F", "ch 10 20 1 0 \"", "A"}},
      {"colour 10 sends the override's explicit colour to solids",
       [] {
         PushRecord(ekSolid3, JwwStore.Solids3,
                    TJwwEntSolid3{Head(0, 0, 2), 255, 0, 0, 1, 0, 0, 1});
         PushRecord(ekPoint, JwwStore.Points, TJwwEntPoint{Head(0, 0, 2), 1, 1});
         TWriteOverrides o;
         o.Color = 10;
         o.ExplicitColor = 0x123456;
         QueueAllGroups(o);
       },
       {"lg0", "ly0", "lc10 1193046", "sl 0 0 1 0 0 1", "pn10 1193046", "lw0", "pt 1 1"}},
  });
}

TEST(WriterGroups, Polylines) {
  ExpectCases({
      {"pl, the lines with their attribute changes, #",
       [] {
         PushRecord(ekLine, JwwStore.Lines, Line(0, 0, 1, 0));
         PushRecord(ekLine, JwwStore.Lines, Line(0, 0, 1, 0, 1));
         PushRecord(ekLine, JwwStore.Lines, Line(1, 0, 1, 1, 1, Head(0, 0, 2)));
         PushRecord(ekLine, JwwStore.Lines, Line(1, 1, 2, 2, 2, Head(0, 0, 2)));
         PushRecord(ekLine, JwwStore.Lines, Line(2, 2, 3, 3, 2, Head(0, 0, 2)));
         PushRecord(ekLine, JwwStore.Lines, Line(3, 3, 4, 4, 0, Head(0, 0, 2)));
         QueueAllGroups();
       },
       {"lg0", "ly0", "lc1", "lt1", "lw0", "0 0 1 0", "pl", "0 0 1 0", "lc2", "1 0 1 1", "#", "pl",
        "1 1 2 2", "2 2 3 3", "#", "3 3 4 4"}},
      {"another entity closes the polyline; the rest opens again",
       [] {
         PushRecord(ekLine, JwwStore.Lines, Line(0, 0, 1, 0, 3));
         PushRecord(ekPoint, JwwStore.Points, TJwwEntPoint{Head(0, 0), 5, 5});
         PushRecord(ekLine, JwwStore.Lines, Line(1, 0, 1, 1, 3));
         QueueAllGroups();
       },
       {"lg0", "ly0", "lc1", "lt1", "lw0", "pl", "0 0 1 0", "#", "pn1", "pt 5 5", "pl", "1 0 1 1",
        "#"}},
      {"a degenerate line inside a polyline keeps it together",
       [] {
         PushRecord(ekLine, JwwStore.Lines, Line(0, 0, 1, 0, 1));
         PushRecord(ekLine, JwwStore.Lines, Line(1, 0, 1, 0, 1));
         PushRecord(ekLine, JwwStore.Lines, Line(1, 0, 2, 0, 1));
         QueueAllGroups();
       },
       {"lg0", "ly0", "lc1", "lt1", "lw0", "pl", "0 0 1 0", "1 0 2 0", "#"}},
  });
}

// Such a number has no text the host reads as what it is; sending the
// entity anyway would turn an invalid shape into a real one at the origin.
TEST(WriterGroups, EntitiesWithNonFiniteNumbersAreNotSent) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  ExpectCases({
      {"one of each kind",
       [] {
         PushRecord(ekLine, JwwStore.Lines, Line(0, 0, kInf, 1));
         PushRecord(ekCircle, JwwStore.Circles, TJwwEntCircle{Head(0, 0), 0, kNan, 1});
         PushRecord(ekArc, JwwStore.Arcs, TJwwEntArc{Head(0, 0), 0, 0, 1, kInf, 90, 1, 0});
         PushRecord(ekText, JwwStore.Texts, Text(0, "A", kNan, 0));
         PushRecord(ekPoint, JwwStore.Points, TJwwEntPoint{Head(0, 0), -kInf, 0});
         PushRecord(ekCodedPoint, JwwStore.CodedPoints,
                    TJwwEntCodedPoint{Head(0, 0), 0, 0, kNan, 0, 1});
         PushRecord(ekDim, JwwStore.Dims, Dim(Line(0, 0, 1, kNan), "5"));
         PushRecord(ekSolid3, JwwStore.Solids3, TJwwEntSolid3{Head(0, 0), 0, 0, 0, 1, 0, 0, kInf});
         PushRecord(ekSolidSo, JwwStore.SolidsSo, SolidArc(5, 1, 0, kNan));
         QueueAllGroups();
       },
       {}},
      {"a polyline breaks where such a line is left out",
       [] {
         PushRecord(ekLine, JwwStore.Lines, Line(0, 0, 1, 0, 1));
         PushRecord(ekLine, JwwStore.Lines, Line(1, 0, kNan, 0, 1));
         PushRecord(ekLine, JwwStore.Lines, Line(1, 0, 2, 0, 1));
         QueueAllGroups();
       },
       {"lg0", "ly0", "lc1", "lt1", "lw0", "pl", "0 0 1 0", "#", "pl", "1 0 2 0", "#"}},
  });
}

}  // namespace
