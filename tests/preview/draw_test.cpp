// The preview primitives asserted call by call on the recording canvas.
#include "preview/draw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "common/geometry.h"
#include "preview/gval.h"
#include "tests/preview/recording_canvas.h"
#include "tests/preview/square_view.h"

namespace {

using Lines = std::vector<std::string>;

constexpr double kPi = std::numbers::pi;

// Each test starts in the square view at its defaults.
class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ShowSquareView();
    ClearWorldPoints();
    Gval.ScreenPoints.clear();
    CreateGraAttribute();
  }
  // The point buffers are shared: a test's leftovers would join the next
  // drawing made in this program.
  void TearDown() override {
    ClearWorldPoints();
    Gval.ScreenPoints.clear();
  }

  static void Points(std::initializer_list<TWorldPoint> points) {
    for (const TWorldPoint& p : points) AddWorldPoint(p.x, p.y);
  }

  // The recorded calls that draw (neither pen nor brush set-ups).
  Lines Drawn() const {
    Lines out;
    for (const std::string& line : canvas.Lines()) {
      if (!line.starts_with("Set") || line.starts_with("SetPixel")) out.push_back(line);
    }
    return out;
  }

  // The points of the only recorded call of that name.
  std::vector<ScreenPoint> PointsOf(const std::string& name) const {
    std::vector<ScreenPoint> out;
    int found = 0;
    for (const RecordedCall& c : canvas.Calls()) {
      if (c.Name != name) continue;
      ++found;
      for (size_t i = 0; i + 1 < c.Ints.size(); i += 2) {
        out.push_back({static_cast<int32_t>(c.Ints[i]), static_cast<int32_t>(c.Ints[i + 1])});
      }
    }
    EXPECT_EQ(found, 1) << name;
    return out;
  }

  RecordingCanvas canvas;
};

TEST_F(DrawTest, WorldToScreenRoundsHalvesAwayFromZeroAndFlipsY) {
  EXPECT_EQ(ToScreenX(2.5), 3);
  EXPECT_EQ(ToScreenX(-2.5), -3);
  EXPECT_EQ(ToScreenY(2.5), 97);
  EXPECT_EQ(ToScreenY(-2.5), 103);
  ShowSquareView(10, 20, 2.0);
  EXPECT_EQ(ToScreenX(15), 10);
  EXPECT_EQ(ToScreenY(30), 80);
}

TEST_F(DrawTest, WorldToScreenStaysInRangeAtAnyZoom) {
  ShowSquareView(0, 0, 1e15);
  EXPECT_EQ(ToScreenX(1e10), kScreenLimit);
  EXPECT_EQ(ToScreenX(-1e300), -kScreenLimit);
  EXPECT_EQ(ToScreenY(1e10), 100 - kScreenLimit);
  EXPECT_EQ(ToScreenX(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(StyleCodes, PenAndBrushTables) {
  const PenStyle pens[] = {PenStyle::Solid,      PenStyle::Dash, PenStyle::Dot,  PenStyle::DashDot,
                           PenStyle::DashDotDot, PenStyle::Null, PenStyle::Solid};
  for (int code = 0; code < 7; ++code) EXPECT_EQ(PenStyleFromCode(code), pens[code]) << code;
  EXPECT_EQ(PenStyleFromCode(-1), PenStyle::Solid);

  const BrushStyle brushes[] = {BrushStyle::Hollow,   BrushStyle::Solid,     BrushStyle::Horizontal,
                                BrushStyle::Vertical, BrushStyle::FDiagonal, BrushStyle::BDiagonal,
                                BrushStyle::Cross,    BrushStyle::DiagCross, BrushStyle::Hollow};
  for (int code = 0; code < 9; ++code) EXPECT_EQ(BrushStyleFromCode(code), brushes[code]) << code;
  EXPECT_EQ(BrushStyleFromCode(-3), BrushStyle::Hollow);
}

TEST_F(DrawTest, EntityPenIsSolidOnlyForLineTypes1And31) {
  const struct {
    int32_t lineType;
    const char* pen;
  } cases[] = {{1, "SetPen rgb(0,192,192) w0 solid copy"},
               {31, "SetPen rgb(0,192,192) w0 solid copy"},
               {2, "SetPen rgb(0,192,192) w0 dot copy"},
               {9, "SetPen rgb(0,192,192) w0 dot copy"},
               {0, "SetPen rgb(0,192,192) w0 dot copy"}};
  for (const auto& c : cases) {
    canvas.Clear();
    SetEntityPen(canvas, 0, 1, c.lineType);
    EXPECT_EQ(canvas.Lines(), (Lines{"SetBrush rgb(255,255,255) hollow", c.pen})) << c.lineType;
  }
}

TEST_F(DrawTest, EntityColorsFollowTheLayerState) {
  GraAttribute().SetLayerState(0x23, 2);
  GraAttribute().SetLayerState(0x24, 3);
  EXPECT_EQ(EntityColor(0x22, 102), RGB(255, 0, 0));
  EXPECT_EQ(EntityColor(0x23, 102), RGB(128, 128, 128));
  EXPECT_EQ(EntityColor(0x24, 102), RGB(255, 255, 255));
  EXPECT_EQ(EntityColor(-1, -1), RGB(255, 255, 255)) << "the background fill of markers";
  SetEntityBrush(canvas, 0x23, 102, 5);
  EXPECT_EQ(canvas.Lines(), (Lines{"SetBrush rgb(128,128,128) bdiagonal"}));
}

TEST_F(DrawTest, PlainPenKeepsTheXorMixAndClearViewRestoresCopy) {
  SetXorPen(canvas);
  SetPlainPen(canvas, RGB(0, 255, 255), 0, 3);
  SetPlainBrush(canvas, 0, 0);
  ClearView(canvas, 100, 80);
  EXPECT_EQ(canvas.Lines(), (Lines{
                                "SetPen rgb(0,0,0) w1 solid xor",
                                "SetBrush rgb(255,255,255) hollow",
                                "SetPen rgb(0,255,255) w3 solid xor",
                                "SetBrush rgb(0,0,0) hollow",
                                "SetPen rgb(255,255,255) w1 solid copy",
                                "SetBrush rgb(255,255,255) solid",
                                "Rectangle 0 0 100 80",
                                "SetBrush rgb(255,255,255) hollow",
                            }));
}

TEST_F(DrawTest, ScreenLineSetsItsEndPixel) {
  SetPlainPen(canvas, RGB(0, 0, 255), 0, 0);
  canvas.Clear();
  ScreenLine(canvas, 1, 2, 30, 40);
  EXPECT_EQ(canvas.Lines(), (Lines{"MoveTo 1 2", "LineTo 30 40", "SetPixel 30 40 rgb(0,0,255)"}));
}

TEST_F(DrawTest, ScreenRectShapes) {
  const struct {
    int32_t x1, y1, x2, y2;
    Lines drawn;
  } cases[] = {
      {10, 10, 12, 50, {"MoveTo 10 10", "LineTo 10 50", "SetPixel 10 50 rgb(0,0,0)"}},
      {10, 10, 12, 12, {}},
      {10, 10, 50, 11, {"MoveTo 10 10", "LineTo 50 10", "SetPixel 50 10 rgb(0,0,0)"}},
      {50, 50, 10, 10, {"Rectangle 50 50 10 10"}},
      {10, 10, 13, 13, {"Rectangle 10 10 13 13"}},
  };
  for (const auto& c : cases) {
    canvas.Clear();
    ScreenRect(canvas, c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(Drawn(), c.drawn) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
  }
}

TEST_F(DrawTest, WorldLineClipsBeforeMapping) {
  WorldLine(canvas, -50, 50, 150, 50);
  WorldLine(canvas, -50, 50, -10, 60);
  WorldLine(canvas, 10, 10, 20, 20);
  EXPECT_EQ(Drawn(), (Lines{"MoveTo 0 50", "LineTo 100 50", "SetPixel 100 50 rgb(0,0,0)",
                            "MoveTo 10 90", "LineTo 20 80", "SetPixel 20 80 rgb(0,0,0)"}));
}

TEST_F(DrawTest, WorldBoxByItsCorners) {
  WorldBox(canvas, 10, 10, 50, 50);
  WorldBox(canvas, 50, 50, 150, 80);
  WorldBox(canvas, 150, 10, 200, 50);
  EXPECT_EQ(Drawn(), (Lines{"Rectangle 10 90 50 50", "Polygon 50 50, 150 50, 150 20, 50 20"}));
  EXPECT_EQ(WorldPointCount(), 0);
}

TEST_F(DrawTest, PolylineWithFewerThanTwoPointsOrWhollyOutsideDrawsNothing) {
  Points({{50, 50}});
  WorldPolyline(canvas);
  ClearWorldPoints();
  Points({{-30, 10}, {-20, 90}, {-10, 300}});
  WorldPolyline(canvas);
  EXPECT_TRUE(canvas.Lines().empty());
  EXPECT_EQ(ScreenPointCount(), 0);
}

TEST_F(DrawTest, PolylineEnteringTheViewDrawsTheEnteringSegment) {
  Points({{-30, 10}, {-20, 20}, {-10, 30}, {50, 50}});
  WorldPolyline(canvas);
  // (-10, 30)-(50, 50) enters at (0, 33.33).
  EXPECT_EQ(Drawn(), (Lines{"Polyline 0 67, 50 50"}));
}

TEST_F(DrawTest, PolylineRunsAreBrokenWhereASegmentIsCut) {
  Points({{10, 10}, {20, 20}, {30, 10}, {130, 10}, {130, 40}, {80, 40}, {70, 50}});
  WorldPolyline(canvas);
  // Leaving at (100, 10) ends the first run; the re-entering segment is cut
  // too, so it stands alone and the last segment starts a third run.
  EXPECT_EQ(Drawn(), (Lines{"Polyline 10 90, 20 80, 30 90, 100 90", "Polyline 100 60, 80 60",
                            "Polyline 80 60, 70 50"}));
  EXPECT_EQ(ScreenPointCount(), 0);
}

TEST_F(DrawTest, PolygonInsideIsMappedWhole) {
  Points({{10, 10}, {50, 10}, {30, 50}});
  WorldPolygon(canvas);
  EXPECT_EQ(Drawn(), (Lines{"Polygon 10 90, 50 90, 30 50"}));
  EXPECT_EQ(WorldPointCount(), 3);
}

TEST_F(DrawTest, PolygonNeedsThreePointsAndSomethingInView) {
  Points({{10, 10}, {50, 10}});
  WorldPolygon(canvas);
  ClearWorldPoints();
  Points({{10, 110}, {50, 120}, {30, 150}});
  WorldPolygon(canvas);
  EXPECT_TRUE(canvas.Lines().empty());
}

TEST_F(DrawTest, PolygonWithAFirstEdgeOver10000PixelsIsAClosedOutline) {
  Points({{-10000, 50}, {10000, 50}, {50, 80}});
  WorldPolygon(canvas);
  EXPECT_EQ(WorldPointCount(), 4);
  EXPECT_EQ(canvas.LinesStartingWith("Polygon").size(), 0u);
  Lines polylines = canvas.LinesStartingWith("Polyline");
  ASSERT_EQ(polylines.size(), 3u);
  EXPECT_EQ(polylines[0], "Polyline 0 50, 100 50");
}

TEST_F(DrawTest, EllipseIs72ChordsFromTheTiltedFirstAxis) {
  WorldEllipse(canvas, 50, 50, 10, 0.5, kPi / 2);
  Lines moves = canvas.LinesStartingWith("MoveTo");
  ASSERT_EQ(moves.size(), 72u);
  EXPECT_EQ(moves[0], "MoveTo 50 40");
  EXPECT_EQ(canvas.LinesStartingWith("LineTo").back(), "LineTo 50 40");
  // A quarter on, the flattened axis turned to -x: (45, 50).
  EXPECT_EQ(moves[18], "MoveTo 45 50");
}

// Whole ellipses and arcs draw exactly the calls of chords walked point by
// point from EllipsePoint and clipped as any world line, wherever they lie
// against the view's edges, at tilts that round their points every way.
TEST_F(DrawTest, CurvesDrawTheChordsOfTheirPointsWalkedOneByOne) {
  const struct {
    double cx, cy, r, flatness, tilt, start, sweep;
  } cases[] = {
      {50, 50, 10, 1, 0, 0, 2 * kPi},             // well inside
      {50, 50, 49.999, 1, 0.3, 0, 2 * kPi},       // all but touching the edges
      {50, 50, 50, 1, 0, 0, 2 * kPi},             // touching them
      {95, 50, 10, 0.4, 1.234, 0, 2 * kPi},       // across the right edge
      {30, 60, 12.3456, 2.5, -0.77, 0, 2 * kPi},  // flatness above 1 reaching out
      {50, 50, 20, 0.5, 0.1, 0.3, 4.0},           // an arc inside
      {5, 5, 10, 1, 0, 1.0, -2.5},                // an arc across a corner
      {50, 50, 1e-7, 1, 0, 0, 2 * kPi},           // smaller than a pixel
  };
  for (const auto& c : cases) {
    const bool whole = c.start == 0 && c.sweep == 2 * kPi;
    RecordingCanvas got;
    if (whole) {
      WorldEllipse(got, c.cx, c.cy, c.r, c.flatness, c.tilt);
    } else {
      WorldArc(got, c.cx, c.cy, c.r, c.flatness, c.tilt, c.start, c.sweep);
    }
    RecordingCanvas want;
    const double step = whole ? 5 * kPi / 180 : c.sweep / 72;
    double theta = whole ? 0 : c.start;
    double x0 = 0;
    double y0 = 0;
    EllipsePoint(c.cx, c.cy, c.r, c.flatness, c.tilt, theta, x0, y0);
    for (int i = 0; i < 72; ++i) {
      theta += step;
      double x1 = 0;
      double y1 = 0;
      EllipsePoint(c.cx, c.cy, c.r, c.flatness, c.tilt, theta, x1, y1);
      WorldLine(want, x0, y0, x1, y1);
      x0 = x1;
      y0 = y1;
    }
    EXPECT_EQ(got.Lines(), want.Lines()) << c.cx << " " << c.cy << " " << c.r;
  }
}

TEST(EllipsePoint, IsTheLocalPointTurnedByRotateXAndRotateYThenMoved) {
  const struct {
    double cx, cy, r, flatness, tilt, theta;
  } cases[] = {
      {0, 0, 10, 1, 0, 0},
      {50, -20, 10, 0.5, kPi / 2, kPi / 3},
      {1e4, 3e3, 7.5, 0.3, 2.9, -1.1},
      {-0.25, 0, 1e-6, 4, -0.7, 5.5},
      {0, 0, -3, 0.6, 0.349, 1e3},
  };
  for (const auto& c : cases) {
    const double lx = c.r * std::cos(c.theta);
    const double ly = c.r * c.flatness * std::sin(c.theta);
    double x = 0;
    double y = 0;
    EllipsePoint(c.cx, c.cy, c.r, c.flatness, c.tilt, c.theta, x, y);
    // Exactly, not nearly: the chords of every curve must not move a pixel.
    EXPECT_EQ(x, RotateX(lx, ly, 0.0, 0.0, c.tilt) + c.cx) << c.tilt << " " << c.theta;
    EXPECT_EQ(y, RotateY(lx, ly, 0.0, 0.0, c.tilt) + c.cy) << c.tilt << " " << c.theta;
  }
}

TEST_F(DrawTest, ArcRunsFromStartOverSweep) {
  WorldArc(canvas, 50, 50, 10, 1.0, 0.0, 0.0, kPi / 2);
  Lines moves = canvas.LinesStartingWith("MoveTo");
  ASSERT_EQ(moves.size(), 72u);
  EXPECT_EQ(moves[0], "MoveTo 60 50");
  EXPECT_EQ(canvas.LinesStartingWith("LineTo").back(), "LineTo 50 40");
}

TEST_F(DrawTest, SolidArcShapes) {
  const double q = kPi / 2;
  const struct {
    int32_t shape;
    double code;
    const char* call;
    size_t count;
    ScreenPoint last;
  } cases[] = {
      {101, 100, "Polygon", 72, {60, 51}},   // whole ellipse, 355 degrees last
      {101, 0, "Polygon", 74, {50, 50}},     // sector closed at the centre
      {101, 5, "Polygon", 73, {50, 40}},     // arc and chord
      {101, 7, "Polygon", 74, {60, 40}},     // closed by the corner of the end tangents
      {111, 3, "Polyline", 73, {50, 40}},    // outline of the arc
      {111, 100, "Polyline", 73, {60, 50}},  // outline of the whole ellipse
      {105, 5, "Polygon", 146, {55, 50}},    // ring sector back along the inner arc
  };
  for (const auto& c : cases) {
    canvas.Clear();
    SolidArcShape(canvas, c.shape, c.code, 50, 50, 10, 1.0, 0.0, 0.0, q);
    std::vector<ScreenPoint> points = PointsOf(c.call);
    ASSERT_EQ(points.size(), c.count) << c.shape << " " << c.code;
    EXPECT_EQ(points.back(), c.last) << c.shape << " " << c.code;
    EXPECT_EQ(WorldPointCount(), 0);
  }
  canvas.Clear();
  SolidArcShape(canvas, 102, 0, 50, 50, 10, 1.0, 0.0, 0.0, q);
  EXPECT_TRUE(canvas.Lines().empty());
}

TEST_F(DrawTest, RingSectorTurnsBackAtTheInnerArcEnd) {
  SolidArcShape(canvas, 105, 5, 50, 50, 10, 1.0, 0.0, 0.0, kPi / 2);
  std::vector<ScreenPoint> points = PointsOf("Polygon");
  ASSERT_EQ(points.size(), 146u);
  EXPECT_EQ(points[72], (ScreenPoint{50, 40}));
  EXPECT_EQ(points[73], (ScreenPoint{50, 45}));
}

TEST_F(DrawTest, HugeZoomPolygonIsCutAtTheScreenLimitAlongItsEdges) {
  // 1e10 pixels per unit; the third corner lies 1e13 pixels away.
  ShowSquareView(0, 0, 1e10);
  Points({{2e-9, 2e-9}, {3e-9, 2e-9}, {1000, 500}});
  WorldPolygon(canvas);
  std::vector<ScreenPoint> points = PointsOf("Polygon");
  ASSERT_GE(points.size(), 3u);
  EXPECT_EQ(points[0], (ScreenPoint{20, 80}));
  EXPECT_EQ(points[1], (ScreenPoint{30, 80}));
  for (const ScreenPoint& p : points) {
    EXPECT_LE(std::abs(p.x), kScreenLimit);
    EXPECT_LE(std::abs(p.y - 100), kScreenLimit);
  }
  // The edge towards the far corner keeps its slope of 1 : 2 on screen.
  double dx = points[2].x - points[1].x;
  double dy = points[1].y - points[2].y;
  EXPECT_NEAR(dy / dx, 0.5, 1e-5);
}

TEST_F(DrawTest, CoordinatesThatAreNotNumbersDrawNothing) {
  double nan = std::numeric_limits<double>::quiet_NaN();
  WorldLine(canvas, nan, 10, 20, 20);
  Points({{10, 10}, {50, 10}, {nan, 50}});
  WorldPolygon(canvas);
  EXPECT_TRUE(canvas.Lines().empty());
}

}  // namespace
