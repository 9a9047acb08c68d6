// Tests of the exchange store: its defaults, what InitStore leaves of a
// store in use, and the add operations.
#include "exchange/store.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "exchange/reader.h"
#include "exchange/writeback.h"
#include "tests/exchange/store_setup.h"

namespace {

class StoreTest : public FreshStoreTest {};

bool SameOrder(const TGrowArray<TJwwOrderItem>& order,
               const std::vector<std::pair<int32_t, int32_t>>& expected) {
  if (order.size() != expected.size()) return false;
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i].Kind != expected[i].first || order[i].Index != expected[i].second) return false;
  }
  return true;
}

TEST_F(StoreTest, GrowsInStepsOfAThousand) {
  struct Step {
    size_t count;
    size_t capacity;
  };
  const std::vector<Step> steps = {
      {1, 1000}, {1000, 1000}, {1001, 2000}, {2000, 2000}, {2001, 3000}};
  size_t added = 0;
  for (const Step& s : steps) {
    while (added < s.count) {
      AddPoint(static_cast<double>(added), 0.0);
      ++added;
    }
    EXPECT_EQ(JwwStore.Points.capacity(), s.capacity) << "after " << s.count;
    EXPECT_EQ(JwwStore.Order.capacity(), s.capacity) << "after " << s.count;
  }
  EXPECT_EQ(JwwStore.Points[2000].X, 2000.0);
  EXPECT_EQ(JwwStore.Order[2000].Index, 2000);
}

TEST_F(StoreTest, FieldsACreatorLeavesOutReadZero) {
  JwwStore.Current.LineColor = 7;
  TJwwEntSolidArc& s = AppendRecord<ekSolidSo>();
  s.InnerR = 2.5;
  EXPECT_EQ(s.Head.Color, 7);
  EXPECT_EQ(s.SolidRGB, 0);
  EXPECT_EQ(s.CX, 0.0);
  EXPECT_EQ(s.Sweep, 0.0);
  EXPECT_EQ(s.Code, 0);
  EXPECT_TRUE(SameOrder(JwwStore.Order, {{ekSolidSo, 0}}));
}

// Values in one line, so that a set of them compares at once.
template <class... T>
std::string Joined(const T&... values) {
  std::ostringstream s;
  ((s << values << ' '), ...);
  return s.str();
}

// Layer group, layer, line colour, type and width, text kind, free width,
// height, spacing and colour, anchor, font, point colour, "lc10" colour.
std::string Describe(const TJwwAttributes& a) {
  return Joined(a.LayerGroup, a.Layer, a.LineColor, a.LineType, a.LineWidth, a.TextKind,
                a.FreeWidth, a.FreeHeight, a.FreeSpacing, a.FreeColor, a.TextAnchor, a.FontName,
                a.PointColor, a.ExplicitColor);
}

// What a run starts from: the current attributes after InitStore and after
// ResetCurrentAttributes alike.
const std::string kStartAttributes = "0 0 1 1 0 1 2 2 0 1 0 " + Sjis("<ＭＳ ゴシック>") + " 1 0 ";

// A host's file that leaves every part of the store in use: header values,
// attributes seen first, a polyline and a dimension open, z flags pending.
const char* const kEverythingInUse =
    "bz\nhs 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2\nhcw 9 9 9 9 9 9 9 9 9 9\nhcc 7 7 7 7 7 7 7 7 7 7\n"
    "lg3\nly4\nlc10 255\nlt5\nlw6\ncn0 1 1 1 5\ncn\"$Face\ncc5\npn7\n"
    "pl\n 0 0 1 1\nmsg\n 0 0 5 5\nz1\nz5\n";

// The answer the window would send for a host's drawing read into a store
// just set up, with a line and a label of its own added after start-up.
std::vector<std::string> ReadAndAnswer() {
  InitStore();
  // A dimension on the pending line, entities in the attributes a run starts
  // with, then the host's settings and entities in them.
  LoadJwcTempFromBytes(
      "msg\ncs 5 1 1 0 \"10\n 0 0 10 0\nch 1 2 1 0 \"a\npt 3 4\n"
      "lg1\nly2\nlc3\nlt4\nlw5\ncn0 1.5 1.5 0 6\n 1 1 2 2\npt 5 5\n");
  ResetCurrentAttributes();
  ApplyInitialAttributes();
  AddLine(0, 0, 3, 4);
  AddText(0, "3", 3, 4, 1, 0);
  WriteAll(TWriteOverrides{}, {});
  return {JwwStore.Output.begin(), JwwStore.Output.end()};
}

TEST_F(StoreTest, InitStoreAfterUseReadsAndAnswersAsAFreshStore) {
  const std::vector<std::string> fresh = ReadAndAnswer();
  LoadJwcTempFromBytes(kEverythingInUse);
  EXPECT_EQ(ReadAndAnswer(), fresh);
}

TEST_F(StoreTest, InitStoreAfterUseGivesTheStatedDefaults) {
  LoadJwcTempFromBytes(kEverythingInUse);
  AddPoint(1.0, 1.0);
  JwwStore.Output.push_back("hd");
  InitStore();

  const TJwwStore& s = JwwStore;
  EXPECT_EQ(Describe(s.Current), kStartAttributes);
  const TJwwInitialAttributes& i = s.Initial;
  EXPECT_EQ(Joined(i.LayerGroup, i.Layer, i.LineColor, i.LineType, i.LineWidth, i.TextKind,
                   i.FreeWidth, i.FreeHeight, i.FreeSpacing, i.FreeColor, i.FontName),
            "0 0 1 1 0 1 2 2 0 1  ");
  for (double g : s.GroupScale) EXPECT_EQ(g, 1.0);
  for (int k = 1; k <= 10; ++k) {
    const TTextKindEntry& e = s.TextKindTable[k];
    EXPECT_EQ(Joined(e.Width, e.Height, e.Spacing, e.Color), "3 3 0 2 ") << "text kind " << k;
  }
  EXPECT_FALSE(s.DrawingSizeMode);
  const TJwwForceFlags& f = s.Force;
  EXPECT_TRUE(f.LayerGroup && f.Layer && f.LineColor && f.LineType && f.LineWidth && f.TextKind);
  const TJwwEntLine& d = s.PendingDimLine;
  EXPECT_EQ(Joined(d.Head.LayerGroup, d.Head.Layer, d.Head.Color, d.Head.LineType, d.Head.LineWidth,
                   d.X1, d.Y1, d.X2, d.Y2),
            "0 0 1 1 0 0 0 1 0 ");
  EXPECT_EQ(Joined(s.PolyCounter, s.InPolyline, s.AfterMessage, s.PendingZ), "0 0 0 0 ");
  EXPECT_TRUE(s.Points.empty() && s.Lines.empty() && s.Order.empty() && s.Output.empty());
}

TEST_F(StoreTest, ResetCurrentAttributesRaisesAllFlagsAndKeepsTheRest) {
  LoadJwcTempFromBytes(kEverythingInUse);
  const int32_t pendingZ = JwwStore.PendingZ;
  const size_t lines = JwwStore.Lines.size();
  ResetCurrentAttributes();

  EXPECT_EQ(Describe(JwwStore.Current), kStartAttributes);
  const TJwwForceFlags& f = JwwStore.Force;
  EXPECT_TRUE(f.LayerGroup && f.Layer && f.LineColor && f.LineType && f.LineWidth);
  EXPECT_TRUE(f.TextKind && f.TextAnchor && f.Font && f.PointColor && f.ExplicitColor);

  EXPECT_EQ(JwwStore.Initial.LineColor, 10);
  EXPECT_EQ(JwwStore.Initial.FontName, "Face");
  EXPECT_EQ(JwwStore.PendingZ, pendingZ);
  EXPECT_EQ(JwwStore.Lines.size(), lines);
}

TEST_F(StoreTest, EmptyOutlineKindsKeepsKindsSixToFifteen) {
  AddLine(0, 0, 1, 1);
  AppendRecord<ekCircle>();
  AppendRecord<ekArc>();
  AddText(0, "a", 0, 0, 1, 0);
  AddPoint(0, 0);
  AppendRecord<ekCodedPoint>();
  AppendRecord<ekDim>();
  AppendRecord<ekBlock>();
  AppendRecord<ekSolid2>();
  AppendRecord<ekSolid3>();
  AppendRecord<ekSolid4>();
  AppendRecord<ekSolidSc>();
  AppendRecord<ekSolidSe>();
  AppendRecord<ekSolidSo>();
  AppendRecord<ekSolidSg>();
  ASSERT_EQ(JwwStore.Order.size(), 15u);

  EmptyOutlineKinds();
  const TJwwStore& s = JwwStore;
  EXPECT_EQ(s.Order.capacity(), 0u);
  EXPECT_EQ(s.Lines.capacity(), 0u);
  EXPECT_EQ(s.Circles.capacity(), 0u);
  EXPECT_EQ(s.Arcs.capacity(), 0u);
  EXPECT_EQ(s.Texts.capacity(), 0u);
  EXPECT_EQ(s.Points.capacity(), 0u);
  const std::vector<size_t> kept = {
      s.CodedPoints.size(), s.Dims.size(),     s.Blocks.size(),   s.Solids2.size(),
      s.Solids3.size(),     s.Solids4.size(),  s.SolidsSc.size(), s.SolidsSe.size(),
      s.SolidsSo.size(),    s.SolidsSg.size(),
  };
  EXPECT_EQ(kept, std::vector<size_t>(10, 1));

  // Indices start again at 0 for the emptied kinds.
  AddPoint(0, 0);
  EXPECT_TRUE(SameOrder(s.Order, {{ekPoint, 0}}));
  EXPECT_EQ(s.Points.capacity(), 1000u);
}

TEST_F(StoreTest, AddLineSkipsZeroLengthWithinTolerance) {
  AddLine(1.0, 1.0, 1.0 + 0.9e-8, 1.0 - 0.9e-8);
  EXPECT_TRUE(JwwStore.Lines.empty());
  EXPECT_TRUE(JwwStore.Order.empty());
  AddLine(1.0, 1.0, 1.0, 1.0 + 2e-8);
  EXPECT_EQ(JwwStore.Lines.size(), 1u);
}

TEST_F(StoreTest, RecordsTakeCurrentAttributesAndPendingZ) {
  TJwwAttributes& a = JwwStore.Current;
  a.LayerGroup = 2;
  a.Layer = 11;
  a.LineColor = 6;
  a.LineType = 3;
  a.LineWidth = 4;
  a.PointColor = 9;
  JwwStore.PendingZ = 9;

  AddPoint(1.5, -2.5);
  AddLine(0, 0, 3, 4);
  AddPoint(7, 8);

  EXPECT_TRUE(SameOrder(JwwStore.Order, {{ekPoint, 0}, {ekLine, 0}, {ekPoint, 1}}));
  const TJwwEntLine& l = JwwStore.Lines[0];
  EXPECT_EQ(l.Head.LayerGroup, 2);
  EXPECT_EQ(l.Head.Layer, 11);
  EXPECT_EQ(l.Head.Color, 6);
  EXPECT_EQ(l.Head.LineType, 3);
  EXPECT_EQ(l.Head.LineWidth, 4);
  EXPECT_EQ(l.Head.ZFlags, 9);
  EXPECT_EQ(l.PolyId, 0);
  EXPECT_EQ(l.X2, 3.0);
  EXPECT_EQ(l.Y2, 4.0);
  const TJwwEntPoint& p = JwwStore.Points[0];
  EXPECT_EQ(p.Head.Color, 9);
  EXPECT_EQ(p.Head.LineType, 3);
  EXPECT_EQ(p.X, 1.5);
  EXPECT_EQ(p.Y, -2.5);
}

TEST_F(StoreTest, AddTextDeclinesBlankTextOrNoDirection) {
  struct Case {
    std::string text;
    double dx, dy;
  };
  const std::vector<Case> declined = {
      {"", 1, 0},  {"   ", 1, 0},      {"\x81\x40\x81\x40", 1, 0}, {" \x81\x40\t\r", 0, 1},
      {"a", 0, 0}, {"a", 1e-8, -1e-8},
  };
  for (const Case& c : declined) AddText(0, c.text, 0, 0, c.dx, c.dy);
  EXPECT_TRUE(JwwStore.Texts.empty());
  EXPECT_TRUE(JwwStore.Order.empty());

  AddText(0, "\x81\x40x", 0, 0, 2e-8, 0);
  ASSERT_EQ(JwwStore.Texts.size(), 1u);
  EXPECT_EQ(JwwStore.Texts[0].Text, "\x81\x40x");
}

TEST_F(StoreTest, AddTextTakesCommandAnchorAndFont) {
  JwwStore.Current.TextAnchor = 5;
  JwwStore.Current.FontName = "Arial";
  const std::vector<std::pair<int32_t, int32_t>> commands = {{0, 0}, {9, 9}, {10, 0}, {-1, 0}};
  for (const auto& [given, stored] : commands) {
    AddText(given, "t", 1, 2, 0.6, 0.8);
    const TJwwEntText& t = JwwStore.Texts.back();
    EXPECT_EQ(t.TextCmd, stored) << given;
    EXPECT_EQ(t.TextAnchor, 5);
    EXPECT_EQ(t.FontName, "Arial");
    EXPECT_EQ(t.X, 1.0);
    EXPECT_EQ(t.Y, 2.0);
    EXPECT_EQ(t.DX, 0.6);
    EXPECT_EQ(t.DY, 0.8);
  }
}

TEST_F(StoreTest, TextSizeComesFromKindTableOrFreeSize) {
  JwwStore.TextKindTable[3] = {4.5, 5.5, 0.25, 6};
  TJwwAttributes& a = JwwStore.Current;
  a.FreeWidth = 1.25;
  a.FreeHeight = 1.5;
  a.FreeSpacing = 0.125;
  a.FreeColor = 8;
  a.LineColor = 3;
  struct Case {
    int32_t kind;
    TTextKindEntry expected;
  };
  const TTextKindEntry free = {1.25, 1.5, 0.125, 8};
  const std::vector<Case> cases = {
      {3, {4.5, 5.5, 0.25, 6}}, {1, {3.0, 3.0, 0.0, 2}}, {0, free}, {11, free}, {-2, free},
  };
  for (const Case& c : cases) {
    a.TextKind = c.kind;
    AddText(0, "t", 0, 0, 1, 0);
    const TJwwEntText& t = JwwStore.Texts.back();
    EXPECT_EQ(t.TextKind, c.kind);
    EXPECT_EQ(t.Width, c.expected.Width) << c.kind;
    EXPECT_EQ(t.Height, c.expected.Height) << c.kind;
    EXPECT_EQ(t.Spacing, c.expected.Spacing) << c.kind;
    EXPECT_EQ(t.Head.Color, c.expected.Color) << c.kind;
    EXPECT_EQ(t.Head.LineType, 1) << c.kind;
  }
}

TEST_F(StoreTest, LongTextAndFontAreCutWithoutSplittingACharacter) {
  const std::string kanji = "\x8A\xBF";
  std::string manyKanji;
  for (int i = 0; i < 128; ++i) manyKanji += kanji;
  struct Case {
    std::string given;
    std::string stored;
  };
  const std::vector<Case> cases = {
      {std::string(255, 'a'), std::string(255, 'a')},
      {std::string(300, 'a'), std::string(255, 'a')},
      {std::string(254, 'a') + kanji, std::string(254, 'a')},
      {std::string(253, 'a') + kanji + "b", std::string(253, 'a') + kanji},
      {manyKanji, manyKanji.substr(0, 254)},
  };
  for (const Case& c : cases) {
    JwwStore.Current.FontName = c.given;
    AddText(0, c.given, 0, 0, 1, 0);
    const TJwwEntText& t = JwwStore.Texts.back();
    EXPECT_EQ(t.Text, c.stored) << c.given.size();
    EXPECT_EQ(t.FontName, c.stored) << c.given.size();
  }
}

}  // namespace
