// Point markers on the recording canvas: each shape's points, fill and pen.
// The view is the square one, so a world point (x, y) is the pixel
// (x, 100 - y).
#include "text/pointmarker.h"

#include <gmock/gmock.h>

#include <numbers>

#include "tests/text/text_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class PointMarkerTest : public TextTest {
 protected:
  // The calls of a coded point of colour 2 at (50, 50), angle in degrees.
  std::vector<std::string> Marker(int32_t code, double scale, double angle, int32_t override = -1) {
    canvas.Clear();
    TJwwEntCodedPoint p{};
    p.Head = {0, 0, 2, 1, 0, 0};
    p.X = p.Y = 50;
    p.Code = code;
    p.Scale = scale;
    p.Angle = angle;
    DrawCodedPointEntity(canvas, p, override);
    return canvas.Lines();
  }
  // Only the lines that draw.
  std::vector<std::string> Shape(int32_t code, double scale, double angle) {
    std::vector<std::string> out;
    for (const std::string& l : Marker(code, scale, angle)) {
      if (!l.starts_with("Set") || l.starts_with("SetPixel")) out.push_back(l);
    }
    return out;
  }
};

const std::string kBlackPen = "SetPen rgb(0,0,0) w0 solid copy";

TEST_F(PointMarkerTest, ArrowheadsHaveTheirTipAtThePointAndOpenBackwards) {
  // Scale 2, angle 90: the base 15 below the tip, 5 wide.
  const std::string triangle = "Polygon 50 50, 48 65, 53 65";
  EXPECT_THAT(Marker(1, 2, 90), ElementsAre("SetBrush rgb(255,255,255) hollow", kBlackPen,
                                            "SetBrush rgb(255,255,255) solid", triangle));
  EXPECT_THAT(Marker(6, 2, 90), ElementsAre("SetBrush rgb(255,255,255) hollow", kBlackPen,
                                            "SetBrush rgb(255,255,255) hollow", kBlackPen,
                                            "SetBrush rgb(0,0,0) solid", triangle));
  EXPECT_THAT(Shape(11, 2, 90), ElementsAre(triangle));
  EXPECT_THAT(Shape(9, 2, 90),
              ElementsAre("MoveTo 50 50", "LineTo 48 65", "SetPixel 48 65 rgb(0,0,0)",
                          "MoveTo 50 50", "LineTo 53 65", "SetPixel 53 65 rgb(0,0,0)"));
}

TEST_F(PointMarkerTest, LineShapes) {
  struct Case {
    int32_t Code;
    double Scale;
    std::vector<std::string> Want;
  };
  const Case cases[] = {
      // From 2.5s at 45 degrees to 2.5s at 225.
      {10, 10, {"MoveTo 68 32", "LineTo 32 68", "SetPixel 32 68 rgb(0,0,0)"}},
      {-4,
       8,
       {"MoveTo 50 40", "LineTo 50 60", "SetPixel 50 60 rgb(0,0,0)", "MoveTo 40 50", "LineTo 60 50",
        "SetPixel 60 50 rgb(0,0,0)"}},
  };
  for (const Case& c : cases) {
    EXPECT_THAT(Shape(c.Code, c.Scale, 0), ElementsAreArray(c.Want)) << c.Code;
  }
  // The square outline is four lines, the star three, the triangle three.
  EXPECT_EQ(Shape(-5, 8, 0).size(), 4u * 3);
  EXPECT_EQ(Shape(-1, 8, 0).size(), 3u * 3);
  EXPECT_EQ(Shape(-6, 8, 0).size(), 3u * 3);
}

TEST_F(PointMarkerTest, UnknownCodesAndBadScalesDrawTheDefaultCircle) {
  // Radius 1.25 x scale: scale 8 reaches from x = 40 to 60.
  const std::vector<std::string> circle12 = Shape(12, 8, 0);
  ASSERT_FALSE(circle12.empty());
  EXPECT_THAT(circle12.front(), testing::StartsWith("MoveTo 60 50"));
  EXPECT_EQ(Shape(-8, 8, 0), circle12);
  EXPECT_EQ(Shape(7, 8, 0), circle12);
  // A scale of -3 or 0 is unit size: radius 1.25.
  EXPECT_EQ(Shape(12, -3, 0), Shape(12, 1, 0));
  EXPECT_EQ(Shape(12, 0, 0), Shape(12, 1, 0));
  EXPECT_NE(Shape(12, 1, 0), circle12);
}

TEST_F(PointMarkerTest, OverrideColorsThePenAndTheFill) {
  EXPECT_THAT(Marker(5, 2, 0, 0x0000FF),
              ElementsAre("SetBrush rgb(255,255,255) hollow", kBlackPen,
                          "SetPen rgb(255,0,0) w0 solid copy", "SetBrush rgb(255,255,255) hollow",
                          kBlackPen, "SetBrush rgb(0,0,0) solid", "SetBrush rgb(255,0,0) solid",
                          testing::StartsWith("Polygon")));
}

TEST_F(PointMarkerTest, PlainPointIsADotOfAtLeastOnePixel) {
  TJwwEntPoint p{};
  p.Head = {0, 0, 2, 1, 0, 0};
  p.X = p.Y = 50;
  p.Head.LineWidth = 1000;  // 10 units: radius 5 plus the dot size
  DrawPointEntity(canvas, p, -1);
  const std::vector<std::string> wide = canvas.LinesStartingWith("MoveTo");
  ASSERT_FALSE(wide.empty());
  const double r = 5 + GraAttribute().GetDotSize(2);
  EXPECT_EQ(wide.front(),
            "MoveTo " + std::to_string(static_cast<int>(std::lround(50 + r))) + " 50");
  // Far too small for a pixel at this scale: one pixel.
  ShowSquareView(0, 0, 0.01);
  canvas.Clear();
  p.Head.LineWidth = 1;
  p.X = p.Y = 5000;
  DrawPointEntity(canvas, p, -1);
  EXPECT_EQ(canvas.LinesStartingWith("MoveTo").front(), "MoveTo 51 50");
}

}  // namespace
