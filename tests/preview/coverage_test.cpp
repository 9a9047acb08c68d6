// Coverage filled from outlines: areas, edges between pixels, holes and
// overlaps, whatever the turn.
#include "ui/qt/coverage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

FlatOutline Contours(const std::vector<std::vector<QPointF>>& contours) {
  FlatOutline outline;
  for (const auto& contour : contours) {
    outline.Points.insert(outline.Points.end(), contour.begin(), contour.end());
    outline.ContourEnds.push_back(static_cast<uint32_t>(outline.Points.size()));
  }
  return outline;
}

// A square's corners, clockwise on screen or the other way round.
std::vector<QPointF> Square(double x, double y, double side, bool reversed = false) {
  std::vector<QPointF> p = {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
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
    QTransform Transform;
    double Area;
    std::vector<Probe> Probes;
  };
  const Case cases[] = {
      {"square on pixel edges",
       Contours({Square(2, 3, 4)}),
       QTransform(),
       16,
       {{2, 3, 255}, {5, 6, 255}, {1, 3, 0}, {6, 3, 0}, {2, 7, 0}}},
      {"square between pixels",
       Contours({Square(0.5, 0.5, 4)}),
       QTransform(),
       16,
       {{0, 0, 64}, {1, 0, 128}, {2, 2, 255}, {4, 4, 64}, {4, 2, 128}}},
      {"the other way round",
       Contours({Square(0.5, 0.5, 4, true)}),
       QTransform(),
       16,
       {{0, 0, 64}, {2, 2, 255}}},
      {"hole",
       Contours({Square(0, 0, 6), Square(2, 2, 2, true)}),
       QTransform(),
       32,
       {{1, 1, 255}, {2, 2, 0}, {3, 3, 0}, {4, 4, 255}}},
      {"overlap counts once",
       Contours({Square(0, 0, 4), Square(2, 0, 4)}),
       QTransform(),
       24,
       {{1, 1, 255}, {2, 1, 255}, {3, 3, 255}, {5, 3, 255}}},
      {"triangle",
       Contours({{{0, 0}, {8, 0}, {0, 8}}}),
       QTransform(),
       32,
       {{0, 0, 255}, {3, 4, 128}, {7, 7, 0}}},
      {"turned and moved",
       Contours({Square(-5, -5, 10)}),
       QTransform().rotate(30) * QTransform::fromTranslate(20.25, 10.5),
       100,
       {{20, 10, 255}}},
      // An edge thousands of pixels from the left and down, where stepping
      // along it row by row would stray by half a pixel.
      {"far and tall",
       Contours({{{0, 0}, {3020.74, 0}, {3022.2, 4000}, {0, 4000}}}),
       QTransform(),
       3021.47 * 4000,
       {{3021, 3999, 255}, {3022, 3999, 51}, {3020, 0, 189}}},
      {"mirrored",
       Contours({Square(1, 1, 3)}),
       QTransform::fromScale(-1, 1),
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
    const CoverageMask mask = FillCoverage(outline, QTransform());
    EXPECT_EQ(Area(mask), 0);
  }
}

TEST(Coverage, AQuarterTurnOfTheMaskIsTheFillOfTheOutlineTurnedFurther) {
  // A square with a hole and a triangle off its corner: no symmetry a wrong
  // turn or mirror could hide behind.
  const FlatOutline outline =
      Contours({Square(0.3, 0.2, 6), Square(1.5, 1.5, 2, true), {{7, 0}, {11, 3}, {7, 5.5}}});
  for (const double degrees : {0.0, 17.0, 100.0}) {
    const QTransform base = QTransform::fromTranslate(2.4, -1.7) * QTransform().rotate(degrees);
    const CoverageMask upright = FillCoverage(outline, base, 4);
    for (int quarters = 0; quarters <= 3; ++quarters) {
      SCOPED_TRACE(testing::Message() << degrees << " degrees, " << quarters << " quarters");
      const CoverageMask turned = QuarterTurned(upright.View(), quarters, 4);
      ASSERT_EQ(turned.Width % 4, 0);
      const CoverageMask filled =
          FillCoverage(outline, base * QTransform().rotate(-90.0 * quarters), 4);
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
  QPainterPath path;
  constexpr double kRadius = 10;
  path.addEllipse(QPointF(20, 20), kRadius, kRadius);
  path.addRect(40, 0, 5, 5);
  const FlatOutline outline = FlattenPath(path);
  ASSERT_EQ(outline.ContourEnds.size(), 2u);
  for (uint32_t i = 0; i < outline.ContourEnds[0]; ++i) {
    const QPointF d = outline.Points[i] - QPointF(20, 20);
    EXPECT_NEAR(std::hypot(d.x(), d.y()), kRadius, 0.1);
  }
  // Chords cut inside the circle, by a tenth of a pixel at most.
  const double area = Area(FillCoverage(outline, QTransform()));
  const double square = 25;
  EXPECT_LE(area, std::numbers::pi * kRadius * kRadius + square + 0.5);
  EXPECT_GE(area, std::numbers::pi * (kRadius - 0.1) * (kRadius - 0.1) + square - 0.5);
}

}  // namespace

// Rows of every length around the four-pixel steps, with bare, solid and
// partial coverage mixed, over pixels of every shade: each channel must come
// out as the mix the glyphs are laid with, over the pixels or beneath them.
TEST(Coverage, RowsAreLaidChannelByChannel) {
  struct Blend {
    const char* Name;
    void (*Lay)(uint32_t*, const uint8_t*, size_t, uint32_t);
    uint32_t (*Channel)(uint32_t colour, uint32_t pixel, uint32_t w, uint32_t pixelAlpha);
  };
  const Blend blends[] = {
      {"over", BlendCoverageRow,
       [](uint32_t c, uint32_t p, uint32_t w, uint32_t) { return (c * w + p * (256 - w)) >> 8; }},
      {"beneath", BlendCoverageRowUnder,
       [](uint32_t c, uint32_t p, uint32_t w, uint32_t a) {
         return p + (2 * ((c * w) >> 8) * (255 - a) + 255) / 510;
       }},
  };
  const uint32_t colours[] = {0xFF000000u, 0xFFFFFFFFu, 0xFF12A5F0u};
  uint32_t seed = 7;
  const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  // A premultiplied pixel of the alpha: no channel above it.
  const auto premultiplied = [&next](uint32_t a) {
    uint32_t p = a << 24;
    for (int shift : {0, 8, 16}) p |= (a == 0 ? 0 : next() % (a + 1)) << shift;
    return p;
  };
  for (const Blend& blend : blends) {
    for (uint32_t colour : colours) {
      for (size_t count = 0; count <= 13; ++count) {
        std::vector<uint8_t> alpha(count);
        std::vector<uint32_t> pixels(count + 1);
        for (size_t i = 0; i < count; ++i) {
          const uint8_t kinds[] = {0, 255, 128, 127, static_cast<uint8_t>(next() >> 24)};
          alpha[i] = kinds[(next() >> 8) % 5];
          // An opaque pixel of a canvas, a bare one of a layer, or one a
          // layer holds partly covered.
          const uint32_t shades[] = {0xFF000000u | (next() >> 8), 0u, premultiplied(next() >> 24)};
          // Some rows wholly bare, as most of a layer is.
          pixels[i] = count % 4 == 1 ? 0u : shades[(next() >> 8) % 3];
        }
        pixels[count] = 0x12345678u;  // past the row: never touched
        std::vector<uint32_t> laid = pixels;
        blend.Lay(laid.data(), alpha.data(), count, colour);
        for (size_t i = 0; i < count; ++i) {
          const uint32_t w = alpha[i] + (alpha[i] >> 7);
          for (int shift : {0, 8, 16, 24}) {
            const uint32_t c = (colour >> shift) & 0xFF;
            const uint32_t p = (pixels[i] >> shift) & 0xFF;
            EXPECT_EQ((laid[i] >> shift) & 0xFF, blend.Channel(c, p, w, pixels[i] >> 24))
                << blend.Name << " count " << count << " pixel " << i << " alpha " << int(alpha[i]);
          }
        }
        EXPECT_EQ(laid[count], 0x12345678u);
      }
    }
  }
}
