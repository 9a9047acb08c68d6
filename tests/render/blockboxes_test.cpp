// The walk by the block boxes against culling record by record: random
// drawings in random views draw exactly the same calls either way, every
// kind of change to the store is seen before the next redraw, a long run of
// blocks outside the view still answers Esc and the pause, and glyphs far
// from where their text starts are drawn when zoomed in on.
#include "preview/blockboxes.h"

#include <gmock/gmock.h>
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
#include "common/sjis.h"
#include "exchange/reader.h"
#include "render/renderer.h"
#include "tests/preview/empty_store_test.h"
#include "tests/preview/recording_canvas.h"
#include "tests/preview/square_view.h"
#include "tests/text/text_fixture.h"
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
// colour, on layer groups of mixed scales; texts of every sort the painter
// culls differently (variables, an image reference, control codes).
class RandomDrawing {
 public:
  explicit RandomDrawing(unsigned seed) : random_(seed) {}

  void Fill() {
    for (double& s : JwwStore.GroupScale) s = std::array{1.0, 100.0, 0.5, 0.0, kNaN}[Below(5)];
    JwwStore.DrawingSizeMode = Below(5) == 0;
    for (int i = 0; i < 100; ++i) {
      AppendRecord<ekLine>() = {Head(), 0, X(), Y(), X(), Y()};
      AppendRecord<ekCircle>() = {Head(), X(), Y(), Length()};
      AppendRecord<ekArc>() = {Head(), X(), Y(), Length(), Angle(), Angle(), Length(), Angle()};
      AppendRecord<ekSolid3>() = {Head(), 255, X(), Y(), X(), Y(), X(), Y()};
      for (TJwwEntKind kind : {ekSolidSc, ekSolidSe, ekSolidSo}) {
        TJwwEntSolidArc& a = AppendSolidArc(kind);
        a = {Head(), 255, X(), Y(), Length(), Length(), 0.3, 0.5, 2.0, 0, Length()};
        a.Code = std::array{100, 0, 5, 1}[Below(4)];
      }
      TJwwEntText& t = AppendRecord<ekText>();
      t = {Head(), Int(3), Int(9), 0, Length(), Length(), 1, X(), Y(), Angle(), Angle(), {}, {}};
      static const std::string kTexts[] = {
          "AB", "$d", "$J", "$j" + Sjis("・・"), "%%k", "$T", "$100", "^@BMa,30,30", "x^u"};
      t.Text = kTexts[Below(std::size(kTexts))];
    }
    for (int layer = 0; layer < 64; ++layer) {
      if (Below(4) == 0) GraAttribute().SetLayerState(layer, kLayerHidden);
    }
    GraAttribute().SetShowAux(Below(2) == 0);
  }

  // A view of 100 x 100 pixels somewhere about the drawing, from far
  // outside it to deep inside.
  void ShowAnyView() {
    ShowSquareView(Uniform(-3000, 3000), Uniform(-3000, 3000), std::pow(10.0, Uniform(-3, 1)));
  }

 private:
  size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
  int32_t Int(size_t n) { return static_cast<int32_t>(Below(n)); }
  double Uniform(double lo, double hi) { return std::uniform_real_distribution(lo, hi)(random_); }
  // Now and then a number that is not one.
  double Broken(double v) { return Below(300) == 0 ? std::array{kNaN, kInf, -kInf}[Below(3)] : v; }
  TJwwEntHead Head() {
    const int32_t color = std::array{1, 2, 9, 10}[Below(4)];
    return {Int(4), Int(16), color, Below(8) == 0 ? 9 : 1, 0, 0};
  }
  double Step(double& at) {
    at = Below(100) == 0 ? Uniform(-2000, 2000) : at + Uniform(-5, 5);
    return Broken(at);
  }
  double X() { return Step(x_); }
  double Y() { return Step(y_); }
  double Length() { return Broken(Uniform(-5, 20)); }
  double Angle() { return Uniform(-360, 360); }

  std::mt19937 random_;
  double x_ = 0;
  double y_ = 0;
};

// The same calls either way, and some blocks outside, or the walk proves
// nothing.
TEST_F(BlockBoxesTest, RandomDrawingsDrawTheSameByBlocksAsRecordByRecord) {
  size_t outside = 0;
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
      TBlockBoxes lines;
      lines.Refresh(JwwStore.Lines, LineBox);
      outside += lines.BlockOutsideView(0) + lines.BlockOutsideView(kBlockRecords);
    }
  }
  EXPECT_GT(outside, 50u);
}

void LineAt(double x1, double y1, double x2, double y2, int32_t group = 0) {
  AppendRecord<ekLine>() = {{group, 0, 2, 1, 0, 0}, 0, x1, y1, x2, y2};
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
      {"the outline kinds emptied and filled again",
       [] {
         EmptyOutlineKinds();
         AddLine(10, 10, 90, 90);
       }},
      {"a record edited in place",
       [] {
         TJwwEntLine& l = JwwStore.Lines.Edit(70);
         l.X1 = l.X2 = 50;
       }},
      {"the drawing read again",
       [] {
         InitStore();
         LoadJwcTempFromBytes("ci 50 50 10\r\n 10 10 90 90\r\n");
       }},
      {"its layer group's scale", [] { JwwStore.GroupScale[1] = 20; }},
      {"drawing-size mode",
       [] {
         for (size_t i = 0; i < JwwStore.Lines.size(); ++i) {
           JwwStore.Lines.Edit(i).X1 = JwwStore.Lines.Edit(i).X2 = 50;
         }
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

using TextWalkTest = TextTest;

// Zoomed in on glyphs far from where their text starts, the walk (by the
// texts' block index and each text's own test) still draws them.
TEST_F(TextWalkTest, GlyphsFarFromTheStartAreDrawnWhenZoomedOnThem) {
  struct Case {
    const char* Name;
    TJwwEntText Record;
    double ViewX, ViewY, Scale;     // the view's lower-left corner and scale
    std::vector<std::string> Want;  // glyphs among those drawn
  };
  TJwwEntText tall = TextRecord("ABCDEFGHIJ", 0, 0, 1, 10);
  tall.TextCmd = 1;  // cells 10 wide along the direction: J from x = 45
  TJwwEntText back = TextRecord("AB", 0, 0, -4, 3);
  back.DX = 1000;  // drawn from the end point (1000, 0) back towards x = 996
  const Case cases[] = {
      {"vertical, Height 10 times Width", tall, 44, -5, 10, {"I", "J"}},
      {"forty control characters first",
       TextRecord(std::string(40, '\t') + "A", 0, 0),
       75,
       -5,
       5,
       {"A"}},
      {"negative width, long direction", back, 990, -10, 5, {"A", "B"}},
  };
  for (const Case& c : cases) {
    InitStore();
    JwwStore.Texts.push_back(c.Record);
    ShowSquareView(c.ViewX, c.ViewY, c.Scale);
    canvas.Clear();
    RenderStore(canvas);
    std::vector<std::string> drawn;
    for (const RecordedCall& call : canvas.Calls()) {
      if (call.Name == "TextOut") drawn.push_back(call.Text);
    }
    EXPECT_THAT(drawn, testing::IsSupersetOf(c.Want)) << c.Name;
  }
}

}  // namespace
