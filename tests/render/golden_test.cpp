// A drawing holding every kind of entity, rendered through the recording
// canvas and compared call by call with the checked-in dump (the Qt
// canvas's picture of it is in tests/ui_qt/textpicture_test.cpp). Run with
// HORUNE_UPDATE_GOLDEN=1 to write the dump anew after an intended change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "exchange/reader.h"
#include "exchange/store.h"
#include "preview/draw.h"
#include "preview/extents.h"
#include "preview/gval.h"
#include "render/renderer.h"
#include "tests/preview/recording_canvas.h"

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

}  // namespace
