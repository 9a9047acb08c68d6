// A drawing holding every kind of entity, rendered through the recording
// canvas and compared call by call with the checked-in dump (the Qt
// canvas's picture of it is in tests/ui_qt/textpicture_test.cpp). Run with
// HORUNE_UPDATE_GOLDEN=1 to write the dump anew after an intended change.
// A few entities at known places, drawn on the raster canvas with box
// glyphs, must leave their colours at the pixels the view maps them to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "exchange/reader.h"
#include "exchange/store.h"
#include "preview/draw.h"
#include "preview/extents.h"
#include "preview/gval.h"
#include "render/renderer.h"
#include "tests/preview/recording_canvas.h"
#include "tests/raster/boxglyphs.h"
#include "tests/raster/canvaspixels.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
const char* const kDrawing = "fixtures/every_kind.txt";
const char* const kGolden = "fixtures/every_kind.calls";

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Loads the fixture and fits the view as the window does before its first
// redraw.
void LoadFitted() {
  InitStore();
  ASSERT_TRUE(LoadJwcTemp(kDrawing));
  CreateGraAttribute();
  FitViewToExtents(kWidth, kHeight);
}

void Draw(Canvas& canvas) {
  ClearView(canvas, kWidth, kHeight);
  RenderStore(canvas);
}

TEST(Golden, EveryKindDrawsAsRecorded) {
  LoadFitted();
  RecordingCanvas canvas(kWidth, kHeight);
  Draw(canvas);
  if (std::getenv("HORUNE_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(kGolden, std::ios::binary) << canvas.Dump();
    GTEST_SKIP() << "wrote " << kGolden;
  }
  const std::string want = ReadFile(kGolden);
  ASSERT_FALSE(want.empty()) << kGolden << " is missing";
  // Line by line, so a failure names the first call that differs.
  std::istringstream wantLines(want);
  std::string line;
  size_t i = 0;
  const std::vector<std::string>& got = canvas.Lines();
  while (std::getline(wantLines, line)) {
    ASSERT_LT(i, got.size()) << "the drawing stops before call " << i + 1 << ": " << line;
    ASSERT_EQ(got[i], line) << "call " << i + 1;
    ++i;
  }
  EXPECT_EQ(i, got.size()) << "more calls than recorded";
}

// The view shows world (-10, -10)-(190, 90) at 2 pixels a unit on 400 x 200
// pixels: world (x, y) is pixel (2x + 20, 180 - 2y).
TEST(Picture, EntitiesLeaveTheirColoursWhereTheViewPutsThem) {
  InitStore();
  LoadJwcTempFromBytes(
      "lc3\n 0 10 80 10\n"       // pixels (20, 160)-(180, 160)
      "lc6\n 100 0 100 60\n"     // pixels (220, 180)-(220, 60)
      "pn5\npt 130 40 4 0 -4\n"  // a plus of 5 units each way about (280, 100)
      "pn8\npt 150 40\n"         // a dot of 0.75 units about (320, 100)
      // Box glyphs 20 pixels wide and 40 high, the first cell's top left at
      // (60, 60); each frame's sides are pixels 2..5 and 14..17 of its cell,
      // rows 6..33.
      "cn0 20 20 0 7\nch 20 40 1 0 \"AB\n");
  CreateGraAttribute();
  Gval.ViewScale = 2;
  CenterView(90, 40, 400, 200);
  BoxCanvas canvas(400, 200);
  RenderPreview(canvas, 400, 200);

  // Line colours 3, 6, 5, 8 and 7 on the white ground, the origin's red.
  const TColor white = RGB(255, 255, 255), red = RGB(255, 0, 0), green = RGB(0, 192, 0),
               blue = RGB(0, 0, 255), purple = RGB(192, 0, 192), rose = RGB(255, 0, 128),
               teal = RGB(0, 128, 128);
  struct Probe {
    const char* what;
    int x, y;
    int near;  // the colour at some pixel at most this far in x and y
    TColor color;
  };
  const std::vector<Probe> probes = {
      {"origin cross", 23, 180, 1, red},      {"origin cross", 20, 177, 1, red},
      {"line start", 20, 160, 0, green},      {"line middle", 100, 160, 0, green},
      {"above the line", 100, 159, 0, white}, {"past the line", 190, 160, 0, white},
      {"upright line", 220, 120, 0, blue},    {"beside it", 221, 120, 0, white},
      {"above its top", 220, 50, 0, white},   {"plus centre", 280, 100, 0, purple},
      {"plus arm", 288, 100, 0, purple},      {"plus arm", 280, 92, 0, purple},
      {"between arms", 286, 94, 0, white},    {"dot", 320, 100, 1, rose},
      {"beside the dot", 325, 100, 0, white}, {"A's left side", 62, 80, 0, teal},
      {"A's right side", 75, 80, 0, teal},    {"B's left side", 83, 80, 0, teal},
      {"B's right side", 95, 80, 0, teal},    {"left of A's frame", 61, 80, 0, white},
      {"A's frame top", 63, 66, 0, teal},     {"above A's frame", 63, 65, 0, white},
      {"below the text", 63, 103, 0, white},  {"past the text", 103, 80, 0, white},
  };
  for (const Probe& p : probes) {
    bool found = false;
    for (int y = p.y - p.near; y <= p.y + p.near; ++y) {
      for (int x = p.x - p.near; x <= p.x + p.near; ++x) found |= PixelAt(canvas, x, y) == p.color;
    }
    EXPECT_TRUE(found) << p.what << " at " << p.x << "," << p.y << " is " << std::hex
                       << PixelAt(canvas, p.x, p.y);
  }
}

}  // namespace
