// The glyph coverages' cache: every mask kept is found under its own key,
// its pixels intact, and stays in place however the table and its pixel
// blocks grow.
#include "raster/maskcache.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// One row of the width, every pixel the width's low byte.
CoverageMask MaskOfWidth(int width) {
  CoverageMask m;
  m.Width = width;
  m.Height = 1;
  m.Alpha.assign(static_cast<size_t>(width), static_cast<uint8_t>(width));
  return m;
}

TEST(MaskCache, FindsEveryKeptMaskUnderItsKeyAcrossGrowth) {
  // Keys shaped as the canvas makes them (face, turn step, glyph), many
  // alike in their low bits, and others far apart.
  std::vector<uint64_t> keys;
  for (uint64_t face = 0; face < 4; ++face) {
    for (uint64_t step = 0; step < 64; ++step) {
      for (uint64_t glyph : {0x41ull, 0x10000ull | 0x889Fu, 0x1FFFFull}) {
        keys.push_back((face << 34) | (step << 18) | glyph);
      }
    }
  }
  keys.push_back(~0ull);
  MaskCache cache;
  std::vector<const CoverageView*> kept;
  // Widths of a few hundred fill many blocks; one mask wants a block of
  // its own.
  const auto widthOf = [&keys](size_t i) {
    return i + 1 == keys.size() ? 100'000 : static_cast<int>(i);
  };
  for (size_t i = 0; i < keys.size(); ++i)
    kept.push_back(cache.Insert(keys[i], MaskOfWidth(widthOf(i))));
  ASSERT_EQ(cache.Size(), keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    const CoverageView* found = cache.Find(keys[i]);
    ASSERT_EQ(found, kept[i]) << i;
    ASSERT_EQ(found->Width, widthOf(i));
    const std::vector<uint8_t> pixels(found->Alpha, found->Alpha + found->Width);
    EXPECT_EQ(pixels, MaskOfWidth(widthOf(i)).Alpha) << i;
  }
  const uint64_t absent[] = {1, 0x42, (5ull << 34) | 0x41, (3ull << 34) | (64ull << 18) | 0x41};
  for (uint64_t key : absent) EXPECT_EQ(cache.Find(key), nullptr) << key;

  cache.Clear();
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_EQ(cache.Find(keys[0]), nullptr);
  EXPECT_EQ(cache.Insert(keys[0], MaskOfWidth(7))->Width, 7);
  EXPECT_EQ(cache.Find(keys[0])->Width, 7);
}

}  // namespace
