// Coverage filled from outlines: areas, edges between pixels, holes and
// overlaps, whatever the turn.
#include "raster/coverage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

FlatOutline Contours(const std::vector<std::vector<PointF>>& contours) {
  FlatOutline outline;
  for (const auto& contour : contours) {
    outline.Points.insert(outline.Points.end(), contour.begin(), contour.end());
    outline.ContourEnds.push_back(static_cast<uint32_t>(outline.Points.size()));
  }
  return outline;
}

// A square's corners, clockwise on screen or the other way round.
std::vector<PointF> Square(double x, double y, double side, bool reversed = false) {
  std::vector<PointF> p = {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
  if (reversed) std::reverse(p.begin(), p.end());
  return p;
}

int Value(const CoverageMask& m, int x, int y) {
  if (x < m.Left || y < m.Top || x >= m.Left + m.Width || y >= m.Top + m.Height) return 0;
  return m.Alpha[static_cast<size_t>(y - m.Top) * m.Width + (x - m.Left)];
}

double Area(const CoverageMask& m) {
  double sum = 0;
  for (uint8_t a : m.Alpha) sum += a;
  return sum / 255;
}

TEST(Coverage, FillsTheAreaInsideTheOutline) {
  struct Probe {
    int X, Y, Value;
  };
  struct Case {
    const char* Name;
    FlatOutline Outline;
    Affine Transform;
    double Area;
    std::vector<Probe> Probes;
  };
  const Case cases[] = {
      {"square on pixel edges",
       Contours({Square(2, 3, 4)}),
       Affine{},
       16,
       {{2, 3, 255}, {5, 6, 255}, {1, 3, 0}, {6, 3, 0}, {2, 7, 0}}},
      {"square between pixels",
       Contours({Square(0.5, 0.5, 4)}),
       Affine{},
       16,
       {{0, 0, 64}, {1, 0, 128}, {2, 2, 255}, {4, 4, 64}, {4, 2, 128}}},
      {"the other way round",
       Contours({Square(0.5, 0.5, 4, true)}),
       Affine{},
       16,
       {{0, 0, 64}, {2, 2, 255}}},
      {"hole",
       Contours({Square(0, 0, 6), Square(2, 2, 2, true)}),
       Affine{},
       32,
       {{1, 1, 255}, {2, 2, 0}, {3, 3, 0}, {4, 4, 255}}},
      {"overlap counts once",
       Contours({Square(0, 0, 4), Square(2, 0, 4)}),
       Affine{},
       24,
       {{1, 1, 255}, {2, 1, 255}, {3, 3, 255}, {5, 3, 255}}},
      {"triangle",
       Contours({{{0, 0}, {8, 0}, {0, 8}}}),
       Affine{},
       32,
       {{0, 0, 255}, {3, 4, 128}, {7, 7, 0}}},
      {"turned and moved",
       Contours({Square(-5, -5, 10)}),
       Affine::Rotation(30).Then(Affine::Translation(20.25, 10.5)),
       100,
       {{20, 10, 255}}},
      // An edge thousands of pixels from the left and down, where stepping
      // along it row by row would stray by half a pixel.
      {"far and tall",
       Contours({{{0, 0}, {3020.74, 0}, {3022.2, 4000}, {0, 4000}}}),
       Affine{},
       3021.47 * 4000,
       {{3021, 3999, 255}, {3022, 3999, 51}, {3020, 0, 189}}},
      {"mirrored",
       Contours({Square(1, 1, 3)}),
       Affine{-1, 0, 0, 1, 0, 0},
       9,
       {{-2, 2, 255}, {2, 2, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const CoverageMask mask = FillCoverage(c.Outline, c.Transform);
    ASSERT_EQ(mask.Alpha.size(), static_cast<size_t>(mask.Width) * mask.Height);
    EXPECT_NEAR(Area(mask), c.Area, 0.02 * c.Area);
    for (const Probe& p : c.Probes) {
      EXPECT_NEAR(Value(mask, p.X, p.Y), p.Value, 1) << p.X << "," << p.Y;
    }
  }
}

TEST(Coverage, NothingToFillGivesAnEmptyMask) {
  const FlatOutline outlines[] = {
      {},
      Contours({{{0, 0}, {5, 0}}}),  // no area
      Contours({Square(0, 0, kMaxCoverageSide + 1)}),
      Contours({{{0, 0}, {NAN, 1}, {2, 2}}}),
      Contours({{{0, 0}, {INFINITY, 1}, {2, 2}}}),
      Contours({Square(1e15, 1e15, 4)}),  // far beyond any pixel
  };
  for (const FlatOutline& outline : outlines) {
    const CoverageMask mask = FillCoverage(outline, Affine{});
    EXPECT_EQ(Area(mask), 0);
  }
}

TEST(Coverage, AQuarterTurnOfTheMaskIsTheFillOfTheOutlineTurnedFurther) {
  // A square with a hole and a triangle off its corner: no symmetry a wrong
  // turn or mirror could hide behind.
  const FlatOutline outline =
      Contours({Square(0.3, 0.2, 6), Square(1.5, 1.5, 2, true), {{7, 0}, {11, 3}, {7, 5.5}}});
  for (const double degrees : {0.0, 17.0, 100.0}) {
    const Affine base = Affine::Translation(2.4, -1.7).Then(Affine::Rotation(degrees));
    const CoverageMask upright = FillCoverage(outline, base, 4);
    for (int quarters = 0; quarters <= 3; ++quarters) {
      SCOPED_TRACE(testing::Message() << degrees << " degrees, " << quarters << " quarters");
      const CoverageMask turned = QuarterTurned(upright.View(), quarters, 4);
      ASSERT_EQ(turned.Width % 4, 0);
      const CoverageMask filled =
          FillCoverage(outline, base.Then(Affine::Rotation(-90.0 * quarters)), 4);
      EXPECT_NEAR(Area(turned), Area(filled), 0.02);
      for (int y = filled.Top - 1; y <= filled.Top + filled.Height; ++y) {
        for (int x = filled.Left - 1; x <= filled.Left + filled.Width; ++x) {
          ASSERT_NEAR(Value(turned, x, y), Value(filled, x, y), 1) << x << "," << y;
        }
      }
    }
  }
  EXPECT_TRUE(QuarterTurned(CoverageMask{{0, 0, 0, 0}, 4, 1, 3, 5}.View(), 1).Alpha.empty());
}

TEST(Coverage, CurvesAreFlattenedCloseToThemselves) {
  // A circle of four cubic quarters, and a square.
  constexpr double kRadius = 10;
  constexpr double k = 0.5522847498 * kRadius;
  OutlineBuilder path;
  path.MoveTo({30, 20});
  path.CubicTo({30, 20 + k}, {20 + k, 30}, {20, 30});
  path.CubicTo({20 - k, 30}, {10, 20 + k}, {10, 20});
  path.CubicTo({10, 20 - k}, {20 - k, 10}, {20, 10});
  path.CubicTo({20 + k, 10}, {30, 20 - k}, {30, 20});
  path.MoveTo({40, 0});
  path.LineTo({45, 0});
  path.QuadTo({45, 2.5}, {45, 5});
  path.LineTo({40, 5});
  const FlatOutline outline = path.Take();
  ASSERT_EQ(outline.ContourEnds.size(), 2u);
  for (uint32_t i = 0; i < outline.ContourEnds[0]; ++i) {
    const PointF p = outline.Points[i];
    EXPECT_NEAR(std::hypot(p.x - 20, p.y - 20), kRadius, 0.1);
  }
  // Chords cut inside the circle, by a tenth of a pixel at most.
  const double area = Area(FillCoverage(outline, Affine{}));
  const double square = 25;
  EXPECT_LE(area, std::numbers::pi * kRadius * kRadius + square + 0.5);
  EXPECT_GE(area, std::numbers::pi * (kRadius - 0.1) * (kRadius - 0.1) + square - 0.5);
}

TEST(Coverage, AClipCoversItsPartOfAnOutlineOfAnySize) {
  // A triangle far larger than one fill covers, cut to windows on its
  // edges: each window's coverage is the unclipped fill's there.
  const FlatOutline huge = Contours({{{-1e6, -1e6}, {2e6, 30.5}, {-1e6, 2e6}}});
  const CoverageClip clips[] = {{0, 0, 40, 40}, {-20, 10, 60, 50}, {1000, 0, 1040, 64}};
  for (const CoverageClip& clip : clips) {
    SCOPED_TRACE(testing::Message() << clip.Left << "," << clip.Top);
    const CoverageMask mask = FillCoverage(huge, Affine{}, 1, &clip);
    ASSERT_FALSE(mask.Alpha.empty());
    EXPECT_GE(mask.Left, clip.Left);
    EXPECT_LE(mask.Left + mask.Width, clip.Right);
    // The upper edge runs from (-1e6, -1e6) to (2e6, 30.5): the window's
    // pixels well below it are covered, those well above bare.
    const double slope = (30.5 + 1e6) / 3e6;
    for (int y = clip.Top; y < clip.Bottom; ++y) {
      for (int x = clip.Left; x < clip.Right; ++x) {
        const double edge = -1e6 + (x + 0.5 + 1e6) * slope;
        if (y + 0.5 > edge + 1) {
          ASSERT_EQ(Value(mask, x, y), 255) << x << "," << y;
        } else if (y + 0.5 < edge - 1) {
          ASSERT_EQ(Value(mask, x, y), 0) << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
