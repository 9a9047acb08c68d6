// The preview's navigation: the mouse table, the wheel, the keys, the
// previous view, resizing, the rubber band, Esc during a redraw, and a view
// that stays finite whatever the user does. The paint box is 400 x 300 at
// (30, 40) on the screen.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/tform1.h"
#include "app/viewmath.h"
#include "common/escape.h"
#include "formtest.h"
#include "preview/gval.h"

namespace {

using ::testing::DoubleNear;

constexpr uint8_t kBoth = kMouseLeft | kMouseRight;

class Navigation : public FormTest {
 protected:
  void SetUp() override {
    folder.WriteHostFile();
    Start();
    // A known view: 2 pixels a unit, world (0, 0)-(200, 150) on screen.
    Gval.ViewScale = 2;
    Gval.ViewMinX = 0;
    Gval.ViewMinY = 0;
    Gval.ViewMaxX = 200;
    Gval.ViewMaxY = 150;
  }

  static TView View() {
    return {Gval.ViewScale, Gval.ViewMinX, Gval.ViewMinY, Gval.ViewMaxX, Gval.ViewMaxY};
  }
  static double CenterX() { return (Gval.ViewMinX + Gval.ViewMaxX) / 2; }
  static double CenterY() { return (Gval.ViewMinY + Gval.ViewMaxY) / 2; }

  void Drag(uint8_t buttons, int x1, int y1, int x2, int y2) {
    form->Preview.PaintBox1MouseDown(buttons, x1, y1);
    form->Preview.PaintBox1MouseMove(x2, y2);
    form->Preview.PaintBox1MouseUp(x2, y2);
  }
};

TEST_F(Navigation, BothButtonClicksAndShortDragsCenterOnThePressPoint) {
  // A click, and a drag 100 right and 3 down: both stay within 5 pixels one
  // way, so both centre on the press point (pixel (100, 100) is (50, 100)).
  for (const auto& [x2, y2] : {std::pair{100, 100}, std::pair{200, 103}}) {
    SetUp();
    Drag(kBoth, 100, 100, x2, y2);
    EXPECT_DOUBLE_EQ(CenterX(), 50) << x2;
    EXPECT_DOUBLE_EQ(CenterY(), 100) << x2;
    EXPECT_DOUBLE_EQ(Gval.ViewScale, 2);
  }
}

TEST_F(Navigation, ARightDownBoxFillsThePreview) {
  // 50 x 20 pixels from (100, 100): world (50, 100)-(75, 90).
  Drag(kBoth, 100, 100, 150, 120);
  EXPECT_DOUBLE_EQ(Gval.ViewScale, std::min(400 / 25.0, 300 / 10.0));
  EXPECT_DOUBLE_EQ(CenterX(), 62.5);
  EXPECT_DOUBLE_EQ(CenterY(), 95);
  EXPECT_DOUBLE_EQ(Gval.ViewMaxX - Gval.ViewMinX, 400 / 16.0);
}

TEST_F(Navigation, OtherDragDirectionsZoomOutFitOrSwapViews) {
  const TView start = View();
  Drag(kBoth, 200, 200, 100, 100);  // left and up: half the scale
  EXPECT_DOUBLE_EQ(Gval.ViewScale, 1);
  EXPECT_DOUBLE_EQ(CenterX(), 75);
  Drag(kBoth, 200, 200, 100, 250);  // left and down: back to the view before
  EXPECT_EQ(View(), start);
  Drag(kBoth, 200, 200, 100, 250);  // and again: the two views swap
  EXPECT_DOUBLE_EQ(Gval.ViewScale, 1);
  form->Preview.PaintBox1MouseDown(kMouseLeft, 10, 10);  // the left button alone
  form->Preview.PaintBox1MouseUp(300, 250);
  EXPECT_DOUBLE_EQ(Gval.ViewScale, 1);
  Drag(kBoth, 100, 200, 200, 100);  // right and up: fit
  form->Preview.FitView();
  const TView fitted = View();
  Drag(kBoth, 100, 200, 200, 100);
  EXPECT_EQ(View(), fitted);
}

TEST_F(Navigation, TheBandIsDrawnInXorAndRemovedBeforeTheNext) {
  form->Preview.PaintBox1MouseDown(kBoth, 100, 100);
  ui.Preview.Clear();
  form->Preview.PaintBox1MouseMove(150, 120);
  form->Preview.PaintBox1MouseMove(160, 130);
  EXPECT_EQ(ui.Preview.LinesStartingWith("Rectangle"),
            (std::vector<std::string>{"Rectangle 100 100 150 120", "Rectangle 100 100 150 120",
                                      "Rectangle 100 100 160 130"}));
  std::string pen;
  for (const std::string& line : ui.Preview.Lines()) {
    if (line.starts_with("SetPen")) pen = line;
    if (line.starts_with("Rectangle")) {
      EXPECT_EQ(pen, "SetPen rgb(0,255,255) w3 solid xor");
    }
  }
  EXPECT_TRUE(form->Preview.BandShown);
}

TEST_F(Navigation, AMiddleDragMovesTheDrawingWithTheMouse) {
  Drag(kMouseMiddle, 10, 10, 40, 30);
  EXPECT_DOUBLE_EQ(Gval.ViewMinX, -15);
  EXPECT_DOUBLE_EQ(Gval.ViewMaxY, 160);
  EXPECT_EQ(ui.Preview.LinesStartingWith("DrawBitmap 30 20").size(), 1u);
}

// A notch keeps the world point under the mouse where it is; PageUp and
// PageDown zoom about the centre. Each undoes the other exactly.
TEST_F(Navigation, NotchesAndPageKeysZoomByTwoAndBack) {
  // Screen (130, 90) is paint-box pixel (100, 50): world (50, 125).
  form->Preview.FormMouseWheelDown(130, 90);
  EXPECT_DOUBLE_EQ(Gval.ViewScale, 4);
  EXPECT_DOUBLE_EQ((130 - 30) / Gval.ViewScale + Gval.ViewMinX, 50);
  EXPECT_DOUBLE_EQ(Gval.ViewMaxY - (90 - 40) / Gval.ViewScale, 125);
  form->Preview.FormMouseWheelUp(130, 90);
  EXPECT_DOUBLE_EQ(Gval.ViewScale, 2);
  EXPECT_TRUE(form->Preview.FormKeyDown(NavKey::PageUp, false));
  EXPECT_DOUBLE_EQ(Gval.ViewScale, 4);
  EXPECT_DOUBLE_EQ(CenterX(), 100);
  EXPECT_TRUE(form->Preview.FormKeyDown(NavKey::PageDown, false));
  EXPECT_EQ(Gval.ViewScale, 2);
}

// A notch is 120 as the systems count it: a touchpad's smaller deltas add up
// to one step per 120, and a turn back starts afresh.
TEST_F(Navigation, WheelDeltasAddUpToOneStepPerNotch) {
  const struct {
    std::vector<int32_t> deltas;
    double scale;  // from 2: a notch down zooms in by 2
  } cases[] = {
      {{-30, -30, -30}, 2}, {{-30, -30, -30, -30}, 4}, {{-120}, 4},
      {{-240}, 8},          {{-90, 60, 60}, 1},        {{100, 20, -120}, 2},
  };
  for (const auto& c : cases) {
    // What a turn the other way left is dropped by the case's first delta.
    form->Preview.FormMouseWheel(130, 90, c.deltas.front() > 0 ? -1 : 1);
    const double before = Gval.ViewScale;
    for (int32_t d : c.deltas) form->Preview.FormMouseWheel(130, 90, d);
    EXPECT_DOUBLE_EQ(Gval.ViewScale / before, c.scale / 2) << c.deltas.size() << " deltas";
  }
}

TEST_F(Navigation, ArrowsPanWhileAnEditHasTheFocusButNotInTheTable) {
  const struct {
    NavKey key;
    bool shift;
    double dx, dy;
  } cases[] = {{NavKey::Left, false, -100, 0}, {NavKey::Right, false, 100, 0},
               {NavKey::Up, false, 0, 75},     {NavKey::Down, false, 0, -75},
               {NavKey::Right, true, 20, 0},   {NavKey::Up, true, 0, 15}};
  for (const auto& c : cases) {
    SetUp();
    EXPECT_TRUE(form->Preview.FormKeyDown(c.key, c.shift));
    EXPECT_DOUBLE_EQ(CenterX(), 100 + c.dx);
    EXPECT_DOUBLE_EQ(CenterY(), 75 + c.dy);
  }
  SetUp();
  form->StringGrid1Enter();
  EXPECT_FALSE(form->Preview.FormKeyDown(NavKey::Left, false));
  EXPECT_FALSE(form->Preview.FormKeyDown(NavKey::PageUp, false));
  EXPECT_DOUBLE_EQ(CenterX(), 100);
  form->StringGrid1Exit();
  EXPECT_TRUE(form->Preview.FormKeyDown(NavKey::Left, false));
}

TEST_F(Navigation, HomeFitsAndEndCentersOnTheDrawingAtTheSameScale) {
  EXPECT_TRUE(form->Preview.FormKeyDown(NavKey::Home, false));
  const TView fitted = View();
  SetUp();
  EXPECT_TRUE(form->Preview.FormKeyDown(NavKey::End, false));
  EXPECT_DOUBLE_EQ(Gval.ViewScale, 2);
  EXPECT_DOUBLE_EQ(CenterX(), (fitted.MinX + fitted.MaxX) / 2);
  EXPECT_DOUBLE_EQ(CenterY(), (fitted.MinY + fitted.MaxY) / 2);
}

TEST_F(Navigation, ResizingKeepsTheCenterAndScaleAndRedrawsOnceSettled) {
  ui.PaintBox = {30, 40, 600, 200};
  form->FormResize();
  EXPECT_EQ(Gval.ViewWidth, 600);
  EXPECT_DOUBLE_EQ(Gval.ViewScale, 2);
  EXPECT_DOUBLE_EQ(CenterX(), 100);
  EXPECT_DOUBLE_EQ(CenterY(), 75);
  EXPECT_DOUBLE_EQ(Gval.ViewMaxX - Gval.ViewMinX, 300);
  ui.Preview.Clear();
  form->FormResizeSettled();
  EXPECT_EQ(ui.Preview.LinesStartingWith("Rectangle 0 0 599 199").size(), 1u);
}

TEST_F(Navigation, AnyRunOfZoomsKeepsTheViewFiniteAndHomeFitsAgain) {
  for (const NavKey key : {NavKey::PageUp, NavKey::PageDown}) {
    for (int i = 0; i < 2000; ++i) form->Preview.FormKeyDown(key, false);
    EXPECT_TRUE(std::isfinite(Gval.ViewMinX) && std::isfinite(Gval.ViewMaxY));
    EXPECT_GE(Gval.ViewScale, kMinViewScale);
    EXPECT_LE(Gval.ViewScale, kMaxViewScale);
    EXPECT_LT(Gval.ViewMinX, Gval.ViewMaxX);
  }
  for (int i = 0; i < 2000; ++i) form->Preview.FormKeyDown(NavKey::Right, false);
  EXPECT_LE(std::abs(Gval.ViewMaxX), kMaxViewCoordinate);
  form->Preview.FormKeyDown(NavKey::Home, false);
  form->Preview.FitView();
  const TView fitted = View();
  form->Preview.FormMouseWheelDown(0, 0);
  form->Preview.FormKeyDown(NavKey::Home, false);
  EXPECT_EQ(View(), fitted);
}

// A drag or a notch with the mouse at the far ends of a coordinate moves
// the picture off the canvas or leaves the view; nothing overflows.
TEST_F(Navigation, TheMouseAtTheEndsOfItsCoordinatesOverflowsNothing) {
  constexpr int32_t kLow = INT32_MIN;
  constexpr int32_t kHigh = INT32_MAX;
  form->Preview.PaintBox1MouseDown(kMouseMiddle, kLow, kHigh);
  form->Preview.PaintBox1MouseMove(kHigh, kLow);
  EXPECT_EQ(ui.Preview.LinesStartingWith("DrawBitmap").back(),
            "DrawBitmap " + std::to_string(kScreenLimit) + " " + std::to_string(-kScreenLimit) +
                " 400x300");
  form->Preview.PaintBox1MouseUp(kHigh, kLow);
  for (const int32_t at : {kLow, kHigh}) {
    form->Preview.FormMouseWheelDown(at, at);
    form->Preview.FormMouseWheelUp(at, at);
  }
  EXPECT_TRUE(std::isfinite(Gval.ViewMinX) && std::isfinite(Gval.ViewMaxY));
}

TEST_F(Navigation, EscDuringARedrawKeepsThePartialPicture) {
  form->Preview.FitView();
  ui.Preview.Clear();
  form->Preview.RedrawView();
  const size_t whole = ui.Preview.Lines().size();
  SetEscapeQuery([] { return true; });
  ui.Preview.Clear();
  form->Preview.RedrawView();
  SetEscapeQuery({});
  // The frame is drawn, the host's entities are not; what was drawn stays
  // as the picture the next paint shows.
  EXPECT_EQ(ui.Preview.LinesStartingWith("Rectangle 0 0 399 299").size(), 1u);
  EXPECT_LT(ui.Preview.Lines().size(), whole);
  ASSERT_TRUE(form->Preview.ViewBitmap);
  ui.Preview.Clear();
  form->Preview.PaintBox1Paint();
  EXPECT_EQ(ui.Preview.LinesStartingWith("DrawBitmap").size(), 1u);
}

// With no time for a slice, every slice stops at its first chance to.
TEST_F(Navigation, ARedrawInSlicesDrawsWhatOneWholeRedrawDraws) {
  form->Preview.FitView();
  ui.Preview.Clear();
  form->Preview.RedrawView();
  const std::vector<std::string> whole = ui.Preview.Lines();
  form->Preview.RedrawSlice = {};
  ui.Preview.Clear();
  form->Preview.RedrawView();
  int slices = 1;
  int repaintsBeforeLast = 0;
  for (; form->Preview.RedrawPending() && slices < 10000; ++slices) {
    repaintsBeforeLast = ui.Repaints;
    form->Preview.ContinueRedraw();
  }
  EXPECT_GT(slices, 3);
  EXPECT_EQ(ui.Preview.Lines(), whole);
  EXPECT_TRUE(form->Preview.ViewBitmap);
  // However seldom the partial picture was shown, the finished one is.
  EXPECT_EQ(ui.Repaints, repaintsBeforeLast + 1);
}

TEST_F(Navigation, TheWindowAnswersBetweenSlices) {
  form->Preview.RedrawSlice = {};
  form->Preview.RedrawView();
  ASSERT_TRUE(form->Preview.RedrawPending());
  const int asked = ui.SlicesAsked;
  // A paint shows the picture under way as it stands, and so does the end of
  // a resize that left the size as it was.
  size_t drawn = ui.Preview.Lines().size();
  form->Preview.PaintBox1Paint();
  form->FormResizeSettled();
  EXPECT_EQ(ui.Preview.Lines().size(), drawn);
  // Buttons held (a band, a drag) hold the redraw until they are let go.
  form->Preview.PaintBox1MouseDown(kMouseLeft, 10, 10);
  form->Preview.ContinueRedraw();
  EXPECT_EQ(ui.Preview.Lines().size(), drawn);
  form->Preview.PaintBox1MouseUp(10, 10);
  EXPECT_EQ(ui.SlicesAsked, asked + 1);
  form->Preview.ContinueRedraw();
  EXPECT_GT(ui.Preview.Lines().size(), drawn);
  // A slice after a resize starts the redraw again at the new size.
  ui.PaintBox.Width = 300;
  ui.Preview.Clear();
  form->Preview.ContinueRedraw();
  EXPECT_EQ(ui.Preview.LinesStartingWith("Rectangle 0 0 299 299").size(), 1u);
  ui.PaintBox.Width = 400;
  // A notch starts the redraw of the new view at once.
  ui.Preview.Clear();
  form->Preview.FormMouseWheelDown(230, 190);
  EXPECT_DOUBLE_EQ(Gval.ViewScale, 4);
  EXPECT_EQ(ui.Preview.LinesStartingWith("Rectangle 0 0 399 299").size(), 1u);
  // Esc stops it where it stands and keeps that picture.
  EXPECT_TRUE(form->Preview.EscapeKeyDown());
  EXPECT_FALSE(form->Preview.RedrawPending());
  EXPECT_TRUE(form->Preview.ViewBitmap);
  drawn = ui.Preview.Lines().size();
  form->Preview.ContinueRedraw();
  EXPECT_EQ(ui.Preview.Lines().size(), drawn);
  EXPECT_FALSE(form->Preview.EscapeKeyDown());
}

}  // namespace
