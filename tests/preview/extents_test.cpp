// The drawing extents of each kind, the clamp, and the fit of the view.
#include "preview/extents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "preview/gval.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct Box {
  double MinX, MinY, MaxX, MaxY;
};

void ExpectExtents(const Box& want, double tol = 1e-9) {
  const TDrawingExtents& e = DrawingExtents;
  EXPECT_NEAR(e.ExtMinX, want.MinX, tol);
  EXPECT_NEAR(e.ExtMinY, want.MinY, tol);
  EXPECT_NEAR(e.ExtMaxX, want.MaxX, tol);
  EXPECT_NEAR(e.ExtMaxY, want.MaxY, tol);
}

TJwwEntLine& AddLineIn(int group, double x1, double y1, double x2, double y2) {
  TJwwEntLine& l = AppendRecord<ekLine>();
  l.Head.LayerGroup = group;
  l.X1 = x1;
  l.Y1 = y1;
  l.X2 = x2;
  l.Y2 = y2;
  return l;
}

TJwwEntPoint& AddPointAt(double x, double y) {
  TJwwEntPoint& p = AppendRecord<ekPoint>();
  p.X = x;
  p.Y = y;
  return p;
}

void AddTextAt(int group, double x, double y, const std::string& text) {
  TJwwEntText& t = AppendRecord<ekText>();
  t.Head.LayerGroup = group;
  t.X = x;
  t.Y = y;
  t.Text = text;
}

class ExtentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitStore();
    DrawingExtents = {};
  }
  void TearDown() override { InitStore(); }
};

struct StoreCase {
  const char* Name;
  std::function<void()> Fill;
  Box Want;
};

TEST_F(ExtentsTest, ComputedFromTheStore) {
  const StoreCase cases[] = {
      {"empty store", [] {}, {-100, -100, 100, 100}},
      {"one point widened by 100", [] { AddPointAt(10, 20); }, {-90, -80, 110, 120}},
      {"one line: start point widened, then its far end",
       [] { AddLineIn(0, 0, 0, 500, 0); },
       {-100, -100, 500, 100}},
      {"group scale divides",
       [] {
         JwwStore.GroupScale[1] = 100;
         AddLineIn(1, 0, 0, 1000, 0);
         AddLineIn(1, 0, 0, 0, 500);
       },
       {0, 0, 10, 5}},
      {"drawing-size mode ignores the group scale",
       [] {
         JwwStore.GroupScale[1] = 100;
         JwwStore.DrawingSizeMode = true;
         AddLineIn(1, 0, 0, 1000, 0);
         AddLineIn(1, 0, 0, 0, 500);
       },
       {0, 0, 1000, 500}},
      {"a zero group scale counts as 1",
       [] {
         JwwStore.GroupScale[2] = 0;
         AddLineIn(2, 0, 0, 40, 30);
         AddPointAt(0, 0);
       },
       {0, 0, 40, 30}},
      {"image text with one number",
       [] {
         AddPointAt(100, 200);
         AddTextAt(0, 100, 200, "^@BMpic.bmp,50");
       },
       {100, 200, 150, 250}},
      {"image text with width, height and more",
       [] {
         AddPointAt(100, 200);
         AddTextAt(0, 100, 200, "^@BMpic.bmp,50,30,7,more");
       },
       {100, 200, 150, 230}},
      {"image text: corner scaled, size as it stands",
       [] {
         JwwStore.GroupScale[3] = 100;
         AddPointAt(1, 2);
         AddTextAt(3, 100, 200, "^@BMpic.bmp,50,30");
       },
       {1, 2, 51, 32}},
      {"a text without a comma is no image",
       [] {
         AddPointAt(0, 0);
         AddTextAt(0, 10, 10, "^@BMpic.bmp 50");
       },
       {0, 0, 10, 10}},
      {"the clamp",
       [] {
         AddPointAt(3e8, -5e8);
         AddPointAt(0, 0);
       },
       {0, -1e8, 1e8, 0}},
      {"dimension line and text each with their own group scale",
       [] {
         JwwStore.GroupScale[1] = 10;
         JwwStore.GroupScale[2] = 100;
         TJwwEntDim& d = AppendRecord<ekDim>();
         d.Line.Head.LayerGroup = 1;
         d.Line.X1 = 10;
         d.Line.X2 = 50;
         d.Text.Head.LayerGroup = 2;
         d.Text.X = 300;
         d.Text.Y = 700;
         AddPointAt(0, 0);
       },
       {0, 0, 5, 7}},
      {"one block alone: the origin widened by 100",
       [] { AppendRecord<ekBlock>().X = 500; },
       {-100, -100, 100, 100}},
      {"a circle adds its four axis points",
       [] {
         TJwwEntCircle& c = AppendRecord<ekCircle>();
         c.CX = 10;
         c.CY = 20;
         c.R = 5;
         AddPointAt(10, 20);
       },
       {5, 15, 15, 25}},
      {"a solid arc with a negative sweep takes its angles the other way",
       [] {
         TJwwEntSolidArc& a = AppendRecord<ekSolidSo>();
         a.R = 10;
         a.Flatness = 1;
         a.Start = kPi;
         a.Sweep = -kPi / 2;  // 90 to 180 degrees: through the axis point at 90
         AddPointAt(0, 0);
       },
       {-10, 0, 0, 10}},
  };
  for (const StoreCase& c : cases) {
    SCOPED_TRACE(c.Name);
    InitStore();
    c.Fill();
    ComputeExtents();
    ExpectExtents(c.Want);
  }
}

TEST_F(ExtentsTest, BlocksAloneFitTheSameEveryTime) {
  AppendRecord<ekBlock>();
  ComputeExtents();
  ComputeExtents();
  ExpectExtents({-100, -100, 100, 100});
}

// Each computation finds the extents of the store as it stands: again after
// any change of what they depend on, and as before when nothing changed,
// whatever was made of them meanwhile.
TEST_F(ExtentsTest, FollowEveryChangeOfTheStore) {
  const StoreCase cases[] = {
      {"nothing changed", [] { DrawingExtents = {}; }, {0, 0, 250, 150}},
      {"a record added", [] { AddPointAt(-50, 20); }, {-25, 0, 250, 150}},
      {"a record written", [] { JwwStore.Lines.Edit(0).X2 = 800; }, {0, 0, 400, 150}},
      {"a group's scale", [] { JwwStore.GroupScale[0] = 4; }, {0, 0, 125, 75}},
      {"the drawing-size mode", [] { JwwStore.DrawingSizeMode = true; }, {0, 0, 500, 300}},
  };
  for (const StoreCase& c : cases) {
    SCOPED_TRACE(c.Name);
    InitStore();
    JwwStore.GroupScale[0] = 2;
    AddLineIn(0, 0, 0, 500, 0);
    AddLineIn(0, 0, 0, 0, 300);
    ComputeExtents();
    c.Fill();
    ComputeExtents();
    ExpectExtents(c.Want);
  }
}

struct ArcCase {
  const char* Name;
  double Start, End, Flatness, Tilt;
  Box Want;  // after StartExtents at the centre (0, 0)
};

TEST_F(ExtentsTest, ArcAddsEndsAndTheAxisPointsItSweepsOver) {
  const double c10 = std::cos(kPi / 18) * 10;
  const double s10 = std::sin(kPi / 18) * 10;
  const double s20 = std::sin(kPi / 9) * 10;
  const ArcCase cases[] = {
      {"10 to 100: only the 90 degree axis point", 10, 100, 1, 0, {-s10, 0, c10, 10}},
      {"350 to 20: the 0 degree axis point", 350, 20, 1, 0, {0, -s10, 10, s20}},
      {"equal angles: the whole ellipse", 30, 30, 0.5, 0, {-10, -5, 10, 5}},
      {"start and end equal after a turn", -90, 270, 1, 0, {-10, -10, 10, 10}},
      {"tilt turns the axis points", 30, 30, 0.5, 90, {-5, -10, 5, 10}},
  };
  for (const ArcCase& c : cases) {
    SCOPED_TRACE(c.Name);
    StartExtents(0, 0, 1);
    AddArcExtents(0, 0, 10, c.Start, c.End, c.Flatness, c.Tilt, 1);
    ExpectExtents(c.Want);
  }
}

TEST_F(ExtentsTest, PointsAreDividedAndClamped) {
  StartExtents(10, -20, 10);
  ExpectExtents({1, -2, 1, -2});
  AddExtentPoint(-40, 60, 2);
  ExpectExtents({-20, -2, 1, 30});
  AddExtentPoint(std::numeric_limits<double>::infinity(), -3e9, 1);
  ExpectExtents({-20, -1e8, 1e8, 30});
}

TEST_F(ExtentsTest, AStartPointThatIsNoNumberGivesTheWholeRange) {
  StartExtents(std::nan(""), 0, 1);
  ExpectExtents({-1e8, 0, 1e8, 0});
}

// Only the low ends are held from below and only the high ends from above:
// a drawing wholly beyond the limit keeps its extent on the near side.
TEST_F(ExtentsTest, EachEndIsHeldOnItsOwnSideOnly) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    const char* Name;
    double X1, Y1, X2, Y2;
    Box Want;
  } cases[] = {
      {"wholly right of and above the limit", 2e8, 3e8, 4e8, 5e8, {2e8, 3e8, 1e8, 1e8}},
      {"wholly left of and below it", -4e8, -5e8, -2e8, -3e8, {-1e8, -1e8, -2e8, -3e8}},
      {"across it", -3e8, 5, 3e8, 7, {-1e8, 5, 1e8, 7}},
      {"infinities on the far side", kInf, -kInf, kInf, -kInf, {1e8, -1e8, 1e8, -1e8}},
  };
  for (const auto& c : cases) {
    StartExtents(c.X1, c.Y1, 1);
    AddExtentPoint(c.X2, c.Y2, 1);
    SCOPED_TRACE(c.Name);
    ExpectExtents(c.Want);
  }
}

struct FitCase {
  const char* Name;
  std::vector<TWorldPoint> Points;  // stored as point entities
  int W, H;
  double WantScale;
  TWorldPoint WantCenter;
};

TEST_F(ExtentsTest, FitFillsNinetyPercentCentered) {
  const FitCase cases[] = {
      {"empty store in 400 x 300", {}, 400, 300, 1.35, {0, 0}},
      {"wide drawing limited by its width", {{0, 0}, {100, 10}}, 400, 300, 3.6, {50, 5}},
      {"tall drawing limited by its height", {{0, 0}, {10, 100}}, 400, 300, 2.7, {5, 50}},
      {"flat in y: x decides", {{0, 5}, {100, 5}}, 400, 300, 3.6, {50, 5}},
      {"a single spot", {{5, 5}, {5, 5}}, 400, 300, 0.9 * 300 / 1e-10, {5, 5}},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.Name);
    InitStore();
    for (const TWorldPoint& p : c.Points) AddPointAt(p.x, p.y);
    FitViewToExtents(c.W, c.H);
    EXPECT_EQ(Gval.ViewWidth, c.W);
    EXPECT_EQ(Gval.ViewHeight, c.H);
    EXPECT_NEAR(Gval.ViewScale, c.WantScale, c.WantScale * 1e-12);
    const double halfW = c.W / 2.0 / Gval.ViewScale;
    const double halfH = c.H / 2.0 / Gval.ViewScale;
    EXPECT_DOUBLE_EQ(Gval.ViewMinX, c.WantCenter.x - halfW);
    EXPECT_DOUBLE_EQ(Gval.ViewMaxX, c.WantCenter.x + halfW);
    EXPECT_DOUBLE_EQ(Gval.ViewMinY, c.WantCenter.y - halfH);
    EXPECT_DOUBLE_EQ(Gval.ViewMaxY, c.WantCenter.y + halfH);
  }
}

TEST_F(ExtentsTest, FitIntoACanvasNotLaidOutStaysFinite) {
  FitViewToExtents(0, 0);
  EXPECT_TRUE(std::isfinite(Gval.ViewScale));
  EXPECT_GT(Gval.ViewScale, 0);
  EXPECT_TRUE(std::isfinite(Gval.ViewMinX));
  EXPECT_TRUE(std::isfinite(Gval.ViewMaxY));
}

}  // namespace
