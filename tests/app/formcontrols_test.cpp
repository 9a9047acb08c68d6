// Where LayoutForm puts the controls at any size, and the numerals a typed
// text keeps.
#include "app/formcontrols.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// The part of b inside a, as a rectangle (empty: no width or no height).
TBounds Common(const TBounds& a, const TBounds& b) {
  const int32_t l = std::max(a.Left, b.Left), t = std::max(a.Top, b.Top);
  return {l, t, std::max(std::min(a.Left + a.Width, b.Left + b.Width) - l, 0),
          std::max(std::min(a.Top + a.Height, b.Top + b.Height) - t, 0)};
}

TEST(LayoutForm, KeepsOkAndCancelWholeAndNothingOverlapping) {
  // Client areas of the least window at each density (Windows' frame taken
  // off), of the default one and of larger ones; area lines of many lines.
  const struct {
    int32_t w, h;
    double scale;
    int32_t areaHeight;
    bool table, memo;  // whether each still shows
  } cases[] = {
      {459, 161, 1.0, 60, false, false}, {575, 202, 1.25, 0, false, false},
      {689, 244, 1.5, 0, false, false},  {918, 322, 2.0, 80, false, false},
      {459, 300, 1.0, 0, false, true},   {459, 436, 1.0, 60, true, true},
      {689, 655, 1.5, 90, true, true},   {300, 120, 1.0, 0, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " at " << c.scale);
    const TFormLayout l = LayoutForm(c.w, c.h, Scaled(330, c.scale), c.scale, c.areaHeight);
    EXPECT_EQ(l[ControlId::Button2].Height, Scaled(25, c.scale));
    EXPECT_EQ(l[ControlId::StringGrid1].Height > 0, c.table);
    EXPECT_EQ(l[ControlId::Memo1].Height > 0, c.memo);
    EXPECT_TRUE(!c.memo || l[ControlId::LabelArea].Height >= c.areaHeight);
    const std::vector<TBounds> parts = {l.Panel3,
                                        l[ControlId::StringGrid1],
                                        l[ControlId::LabelArea],
                                        l[ControlId::Memo1],
                                        l[ControlId::Button1],
                                        l[ControlId::Button2],
                                        l[ControlId::PaintBox1],
                                        l[ControlId::LabelA1],
                                        l[ControlId::InfoStrip]};
    for (size_t i = 0; i < parts.size(); ++i) {
      EXPECT_EQ(Common(parts[i], {0, 0, c.w, c.h}), parts[i]) << i;  // in the client area
      for (size_t j = i + 1; j < parts.size(); ++j) {
        const TBounds both = Common(parts[i], parts[j]);
        EXPECT_EQ(int64_t{both.Width} * both.Height, 0) << i << " over " << j;
      }
    }
  }
}

TEST(HalfWidthNumerals, TurnsFullWidthDigitsPointAndMinus) {
  const char* const cases[][2] = {
      {"６０００", "6000"},
      {"－１２．５", "-12.5"},
      {"−３", "-3"},
      {"１，５", "1，5"},  // a comma is no point
      {"ＡＢ＋エラー", "ＡＢ＋エラー"},
  };
  for (const auto& c : cases) EXPECT_EQ(HalfWidthNumerals(c[0]), c[1]) << c[0];
}

TEST(ClipboardTextOf, TakesOnlyWhatShiftJisHolds) {
  const struct {
    const char* utf8;
    std::optional<TClipboardText> expected;
  } cases[] = {
      {"", std::nullopt},
      {"1\t距離\r\n", TClipboardText{true, "1\t\x8b\x97\x97\xa3\r\n"}},
      {"1\tcafé", TClipboardText{false, ""}},
      {"～", TClipboardText{true, "\x81\x60"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ClipboardTextOf(c.utf8), c.expected) << c.utf8;
}

}  // namespace
