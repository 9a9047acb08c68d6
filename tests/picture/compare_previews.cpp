// The comparison of the preview's pictures from the two front ends
// (preview_picture, built for Linux and run under Wine for Windows). Lines,
// fills, hatches, pens and the texts' cells are our own code on both; only
// the glyphs come from each platform's font engine, which antialiases and
// hints them its own way. So each view is drawn twice on each platform, as
// the window draws it ("full") and with glyphs that have no ink ("plain"),
// and for each view it requires:
//
//  1. The plain pictures are equal in every pixel. Then wherever the full
//     pictures differ, a glyph drew on that pixel in one of them: every
//     difference lies at distance 0 from glyph ink.
//  2. The glyphs ink the same places, by the canvas contract suite's rule:
//     all but a twentieth of the ink pixels of either have one of the other
//     at most 1 pixel away (king's moves). A glyph's ink is where it moved a
//     channel of the plain picture by 128 or more, at least half covered.
//
// Printed for each view besides: how many pixels of the full pictures
// differ and the farthest of them from the ink of either, which tells how
// far the engines' faint edges reach. On a failure `<view>-diff.ppm` goes
// into the folder given: the Linux picture faded, red where the plain
// pictures differ, orange where one side's ink has none of the other's
// near, green where the full pictures differ otherwise.
//
//   compare_previews LINUX-FOLDER WINDOWS-FOLDER DIFF-FOLDER
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/picture/ppm.h"

namespace {

constexpr int kInk = 128;

struct Pair {
  RgbPicture Linux, Windows;
};

// The most any channel of pixel i differs between the two.
int ChannelDifference(const RgbPicture& a, const RgbPicture& b, size_t i) {
  int most = 0;
  for (size_t c = 3 * i; c < 3 * i + 3; ++c) most = std::max(most, std::abs(a.Rgb[c] - b.Rgb[c]));
  return most;
}

// Each pixel's distance, in king's moves, to the nearest pixel of the mask;
// a large number where the mask is empty. Two passes, each taking the
// neighbours already passed.
std::vector<int> Distances(const std::vector<bool>& mask, int width, int height) {
  const int far = width + height;
  std::vector<int> d(mask.size());
  for (size_t i = 0; i < mask.size(); ++i) d[i] = mask[i] ? 0 : far;
  const auto relax = [&](int x, int y, int dx, int dy) {
    int& here = d[size_t(y) * width + x];
    for (const auto& [u, v] :
         {std::pair{x - dx, y}, {x - dx, y - dy}, {x, y - dy}, {x + dx, y - dy}}) {
      if (u >= 0 && u < width && v >= 0 && v < height) {
        here = std::min(here, d[size_t(v) * width + u] + 1);
      }
    }
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) relax(x, y, 1, 1);
  }
  for (int y = height - 1; y >= 0; --y) {
    for (int x = width - 1; x >= 0; --x) relax(x, y, -1, -1);
  }
  return d;
}

// The pixels a picture's glyphs moved from its plain picture by kInk or more
// in some channel.
std::vector<bool> Ink(const RgbPicture& full, const RgbPicture& plain) {
  std::vector<bool> ink(size_t(full.Width) * full.Height);
  for (size_t i = 0; i < ink.size(); ++i) ink[i] = ChannelDifference(full, plain, i) >= kInk;
  return ink;
}

void Paint(RgbPicture& p, size_t i, uint8_t r, uint8_t g, uint8_t b) {
  p.Rgb[3 * i] = r;
  p.Rgb[3 * i + 1] = g;
  p.Rgb[3 * i + 2] = b;
}

// Compares one view; prints its figures and returns whether it holds.
bool CompareView(const std::string& view, const Pair& full, const Pair& plain,
                 const std::filesystem::path& diffFolder) {
  const int w = full.Linux.Width, h = full.Linux.Height;
  const size_t n = size_t(w) * h;
  const std::vector<bool> inkL = Ink(full.Linux, plain.Linux);
  const std::vector<bool> inkW = Ink(full.Windows, plain.Windows);
  std::vector<bool> inkEither(n);
  for (size_t i = 0; i < n; ++i) inkEither[i] = inkL[i] || inkW[i];
  const std::vector<int> toL = Distances(inkL, w, h), toW = Distances(inkW, w, h);
  const std::vector<int> toEither = Distances(inkEither, w, h);

  RgbPicture diff = full.Linux;
  for (uint8_t& c : diff.Rgb) c = uint8_t(255 - (255 - c) / 4);
  size_t plainDiffer = 0, fullDiffer = 0, countL = 0, countW = 0, strayL = 0, strayW = 0;
  int farthest = -1;  // no difference, or no ink to be near
  for (size_t i = 0; i < n; ++i) {
    countL += inkL[i];
    countW += inkW[i];
    strayL += inkL[i] && toW[i] > 1;
    strayW += inkW[i] && toL[i] > 1;
    if (ChannelDifference(full.Linux, full.Windows, i) > 0) {
      ++fullDiffer;
      if (toEither[i] < w + h) farthest = std::max(farthest, toEither[i]);
      Paint(diff, i, 0, 160, 0);
    }
    if ((inkL[i] && toW[i] > 1) || (inkW[i] && toL[i] > 1)) Paint(diff, i, 255, 140, 0);
    if (ChannelDifference(plain.Linux, plain.Windows, i) > 0) {
      ++plainDiffer;
      Paint(diff, i, 255, 0, 0);
    }
  }
  const bool holds = plainDiffer == 0 && strayL * 20 <= countL && strayW * 20 <= countW;
  std::printf(
      "%s: plain pictures differ in %zu pixels; full ones in %zu, the farthest %s px from "
      "glyph ink; ink %zu / %zu pixels (Linux / Windows), %zu / %zu with none of the other's "
      "within 1 px%s\n",
      view.c_str(), plainDiffer, fullDiffer, farthest < 0 ? "-" : std::to_string(farthest).c_str(),
      countL, countW, strayL, strayW, holds ? "" : "  FAILS");
  if (!holds) {
    const std::filesystem::path out = diffFolder / (view + "-diff.ppm");
    WritePpm(out.string(), diff);
    std::printf("%s: difference picture %s\n", view.c_str(), out.string().c_str());
  }
  return holds;
}

std::optional<RgbPicture> Read(const std::filesystem::path& path) {
  std::optional<RgbPicture> p = ReadPpm(path.string());
  if (!p) std::printf("cannot read %s\n", path.string().c_str());
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: compare_previews LINUX-FOLDER WINDOWS-FOLDER DIFF-FOLDER\n");
    return 2;
  }
  const std::filesystem::path linuxDir = argv[1], windowsDir = argv[2], diffs = argv[3];
  std::vector<std::string> views;
  for (const auto& entry : std::filesystem::directory_iterator(linuxDir)) {
    const std::string name = entry.path().filename().string();
    const std::string suffix = "-full.ppm";
    if (name.size() > suffix.size() && name.ends_with(suffix)) {
      views.push_back(name.substr(0, name.size() - suffix.size()));
    }
  }
  std::sort(views.begin(), views.end());
  if (views.empty()) {
    std::printf("no pictures in %s\n", linuxDir.string().c_str());
    return 1;
  }
  bool holds = true;
  for (const std::string& view : views) {
    std::optional<RgbPicture> parts[4];
    const std::filesystem::path paths[4] = {
        linuxDir / (view + "-full.ppm"), windowsDir / (view + "-full.ppm"),
        linuxDir / (view + "-plain.ppm"), windowsDir / (view + "-plain.ppm")};
    bool read = true;
    for (int k = 0; k < 4; ++k) read = (parts[k] = Read(paths[k])).has_value() && read;
    const auto sameSize = [&](const std::optional<RgbPicture>& p) {
      return p->Width == parts[0]->Width && p->Height == parts[0]->Height;
    };
    if (!read || !std::all_of(std::begin(parts), std::end(parts), sameSize)) {
      if (read) std::printf("%s: the pictures differ in size\n", view.c_str());
      holds = false;
      continue;
    }
    holds = CompareView(view, {*parts[0], *parts[1]}, {*parts[2], *parts[3]}, diffs) && holds;
  }
  return holds ? 0 : 1;
}
