// The block boxes against culling record by record: random drawings in
// random views draw exactly the same calls either way, a block outside the
// view holds only records that are outside on their own, and every kind of
// change to the store is seen before the next redraw.
#include "preview/blockboxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common/escape.h"
#include "exchange/reader.h"
#include "preview/renderer.h"
#include "tests/preview/empty_store_test.h"
#include "tests/preview/recording_canvas.h"
#include "tests/preview/square_view.h"
#include "text/textdraw.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class BlockBoxesTest : public EmptyStoreTest {
 protected:
  void TearDown() override {
    SetBlockCulling(true);
    EmptyStoreTest::TearDown();
  }
};

std::vector<std::string> Calls(bool byBlocks) {
  SetBlockCulling(byBlocks);
  RecordingCanvas canvas(100, 100);
  RenderStore(canvas);
  SetBlockCulling(true);
  return canvas.Lines();
}

// A drawing written as a host writes one: each record near the one before,
// with now and then a jump, a broken number, a hidden layer or an auxiliary
// colour, on layer groups of mixed scales.
class RandomDrawing {
 public:
  explicit RandomDrawing(unsigned seed) : random_(seed) {}

  void Fill() {
    constexpr double kScales[] = {1, 100, 0.5, 0, kNaN};
    for (double& s : JwwStore.GroupScale) s = kScales[Below(5)];
    JwwStore.DrawingSizeMode = Below(5) == 0;
    for (int i = 0; i < 300; ++i) Add(AppendRecord<ekLine>(), {X(), Y(), X(), Y()});
    for (int i = 0; i < 150; ++i) AppendRecord<ekCircle>() = {Head(), X(), Y(), Length()};
    for (int i = 0; i < 150; ++i) {
      AppendRecord<ekArc>() = {Head(), X(), Y(), Length(), Angle(), Angle(), Flatness(), Angle()};
    }
    for (int i = 0; i < 100; ++i) {
      AppendRecord<ekSolid2>() = {Head(), 255, X(), Y(), X(), Y()};
      AppendRecord<ekSolid3>() = {Head(), 255, X(), Y(), X(), Y(), X(), Y()};
      AppendRecord<ekSolid4>() = {Head(), 255, X(), Y(), X(), Y(), X(), Y(), X(), Y()};
      for (TJwwEntKind kind : {ekSolidSc, ekSolidSe, ekSolidSo, ekSolidSg}) {
        constexpr int32_t kCodes[] = {100, 0, 5, 1, 3};
        AppendSolidArc(kind) = {
            Head(), 255, X(), Y(), Length(), Flatness(), 0.3, 0.5, 2.0, kCodes[Below(5)], Length()};
      }
    }
    for (int i = 0; i < 150; ++i) AppendRecord<ekText>() = Text();
    for (int layer = 0; layer < 64; ++layer) {
      if (Below(4) == 0) GraAttribute().SetLayerState(layer, kLayerHidden);
    }
    GraAttribute().SetShowAux(Below(2) == 0);
  }

  // A view of 100 x 100 pixels somewhere about the drawing, from far
  // outside it to deep inside.
  void ShowAnyView() {
    const double scale = std::pow(10.0, Uniform(-3, 1));
    ShowSquareView(Uniform(-3000, 3000), Uniform(-3000, 3000), scale);
  }

 private:
  void Add(TJwwEntLine& l, std::array<double, 4> ends) {
    l.Head = Head();
    l.X1 = ends[0];
    l.Y1 = ends[1];
    l.X2 = ends[2];
    l.Y2 = ends[3];
  }
  // Texts of every sort the painter culls differently: plain, a variable,
  // an image reference, with control codes, upright, anchored anywhere.
  TJwwEntText Text() {
    constexpr const char* kTexts[] = {"AB",   "\x8E\x9A\x8E\x9A", "$d", "%f", "^@BMa,30,30", "x^u",
                                      "No.12"};
    TJwwEntText t{};
    t.Head = Head();
    t.TextCmd = static_cast<int32_t>(Below(3));
    t.TextAnchor = static_cast<int32_t>(Below(9));
    t.Width = Length();
    t.Height = Length();
    t.Spacing = Uniform(0, 2);
    t.X = X();
    t.Y = Y();
    t.DX = Uniform(-1, 1);
    t.DY = Uniform(-1, 1);
    t.Text = kTexts[Below(7)];
    return t;
  }
  size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
  double Uniform(double lo, double hi) { return std::uniform_real_distribution(lo, hi)(random_); }
  // Now and then a number that is not one.
  double Broken(double v) {
    constexpr double kBroken[] = {kNaN, kInf, -kInf};
    return Below(300) == 0 ? kBroken[Below(3)] : v;
  }
  TJwwEntHead Head() {
    const auto group = static_cast<int32_t>(Below(4));
    const auto layer = static_cast<int32_t>(Below(16));
    constexpr int32_t kColors[] = {1, 2, 9, 10};
    return {group, layer, kColors[Below(4)], Below(8) == 0 ? 9 : 1, 0, 0};
  }
  double X() {
    if (Below(100) == 0) x_ = Uniform(-2000, 2000);
    x_ += Uniform(-5, 5);
    return Broken(x_);
  }
  double Y() {
    if (Below(100) == 0) y_ = Uniform(-2000, 2000);
    y_ += Uniform(-5, 5);
    return Broken(y_);
  }
  double Length() { return Broken(Uniform(-5, 20)); }
  double Flatness() { return Broken(Uniform(0.2, 3)); }
  double Angle() { return Uniform(-360, 360); }

  std::mt19937 random_;
  double x_ = 0;
  double y_ = 0;
};

TEST_F(BlockBoxesTest, RandomDrawingsDrawTheSameByBlocksAsRecordByRecord) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    InitStore();
    CreateGraAttribute();
    RandomDrawing drawing(seed);
    drawing.Fill();
    for (int view = 0; view < 5; ++view) {
      drawing.ShowAnyView();
      const std::vector<std::string> byRecords = Calls(false);
      ASSERT_EQ(Calls(true), byRecords);
    }
  }
}

// Every block outside the view holds only records outside on their own, and
// some blocks are outside, or the walk above would prove nothing.
TEST_F(BlockBoxesTest, ABlockOutsideHoldsOnlyRecordsOutside) {
  size_t outside = 0;
  auto check = [&outside](const auto& records, auto boxOf) {
    TBlockBoxes blocks;
    blocks.Refresh(records, boxOf);
    for (size_t i = 0; i < records.size(); i += kBlockRecords) {
      if (!blocks.BlockOutsideView(i)) continue;
      ++outside;
      for (size_t j = i; j < std::min(records.size(), i + kBlockRecords); ++j) {
        ASSERT_TRUE(OutsideView(boxOf(records[j]))) << "record " << j;
      }
    }
  };
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    InitStore();
    RandomDrawing drawing(seed);
    drawing.Fill();
    drawing.ShowAnyView();
    const TJwwStore& s = JwwStore;
    check(s.Lines, LineBox);
    check(s.Circles, CircleBox);
    check(s.Arcs, ArcBox);
    check(s.Solids2, Solid2Box);
    check(s.Solids3, Solid3Box);
    check(s.Solids4, Solid4Box);
    check(s.SolidsSc, FilledArcBox);
    check(s.SolidsSe, ArcOutlineBox);
    check(s.SolidsSo, RingBox);
    check(s.Texts, TextEntityBox);
  }
  EXPECT_GT(outside, 100u);
}

TJwwEntLine& LineAt(double x1, double y1, double x2, double y2, int32_t group = 0) {
  TJwwEntLine& l = AppendRecord<ekLine>();
  l.Head = {group, 0, 2, 1, 0, 0};
  l.X1 = x1;
  l.Y1 = y1;
  l.X2 = x2;
  l.Y2 = y2;
  return l;
}

// Lines far right of the view in group 1, so every block of them is outside.
void FarLines(int count) {
  for (int i = 0; i < count; ++i) LineAt(1000 + i, 10, 1000 + i, 90, 1);
}

// What a redraw with nothing in the view draws.
const std::vector<std::string> kNothingDrawn = {"SetBrush rgb(255,255,255) hollow"};

struct ChangeCase {
  const char* Name;
  std::function<void()> Change;  // brings a line into the view
};

TEST_F(BlockBoxesTest, EveryChangeToTheStoreIsSeenByTheNextRedraw) {
  const ChangeCase cases[] = {
      {"a record appended", [] { LineAt(10, 10, 90, 90); }},
      {"a line added by the outline", [] { AddLine(10, 10, 90, 90); }},
      {"the outline kinds emptied and filled again",
       [] {
         EmptyOutlineKinds();
         AddLine(10, 10, 90, 90);
       }},
      {"a record moved in place", [] { JwwStore.Lines[70].X1 = JwwStore.Lines[70].X2 = 50; }},
      {"a record moved through an iterator",
       [] {
         for (TJwwEntLine& l : JwwStore.Lines) l.X1 = l.X2 = 50;
       }},
      {"the drawing read again",
       [] {
         InitStore();
         LoadJwcTempFromBytes("ci 50 50 10\r\n 10 10 90 90\r\n");
       }},
      {"its layer group's scale", [] { JwwStore.GroupScale[1] = 20; }},
      {"drawing-size mode",
       [] {
         for (TJwwEntLine& l : JwwStore.Lines) l.X1 = l.X2 = 50;
         JwwStore.GroupScale[1] = 0.01;
         ASSERT_EQ(Calls(true), kNothingDrawn);
         JwwStore.DrawingSizeMode = true;
       }},
  };
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.Name);
    InitStore();
    ShowSquareView();
    FarLines(200);
    ASSERT_EQ(Calls(true), kNothingDrawn);
    c.Change();
    const std::vector<std::string> byRecords = Calls(false);
    EXPECT_GT(byRecords.size(), 1u);
    EXPECT_EQ(Calls(true), byRecords);
  }
}

// A long run of blocks outside the view still answers Esc and the pause,
// once a block; a walk paused there and resumed draws what one walk draws.
TEST_F(BlockBoxesTest, PassingOverBlocksPollsOnceABlock) {
  FarLines(1000);  // 16 blocks
  int polls = 0;
  SetEscapeQuery([&polls] { return ++polls > 1000; });
  RecordingCanvas canvas;
  RenderStore(canvas);
  EXPECT_EQ(polls, 14 + 16);  // before kinds 2..15, and after each block

  for (int i = 0; i < 30; ++i) LineAt(10 + i, 10, 10 + i, 90);
  FarLines(100);
  const std::vector<std::string> whole = Calls(true);
  RecordingCanvas sliced;
  TRenderProgress progress;
  int slices = 0;
  while (RenderStoreFrom(sliced, progress, [] { return true; }) == TRenderEnd::Paused) ++slices;
  EXPECT_GT(slices, 16);
  EXPECT_EQ(sliced.Lines(), whole);
}

}  // namespace
