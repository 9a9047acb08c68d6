// Where LayoutForm puts the controls at any size, and the numerals a typed
// text keeps.
#include "app/formcontrols.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Overlap(const TBounds& a, const TBounds& b) {
  return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
         b.Top < a.Top + a.Height;
}

bool Inside(const TBounds& b, int32_t w, int32_t h) {
  return b.Left >= 0 && b.Top >= 0 && b.Left + b.Width <= w && b.Top + b.Height <= h;
}

TEST(LayoutForm, KeepsOkAndCancelWholeAndNothingOverlapping) {
  // Client areas of the smallest window at each density (the frame taken
  // off as Windows draws it), the default one, and a large one; the column
  // as wide as the table's columns need; the area line with four lines.
  struct Case {
    int32_t w, h;
    double scale;
    int32_t areaHeight;
    bool table, memo;  // whether each still shows
  };
  const Case cases[] = {
      {459, 161, 1.0, 0, false, false},  {459, 161, 1.0, 60, false, false},
      {575, 202, 1.25, 0, false, false}, {689, 244, 1.5, 0, false, false},
      {918, 322, 2.0, 80, false, false}, {459, 436, 1.0, 0, true, true},
      {459, 436, 1.0, 60, true, true},   {689, 655, 1.5, 90, true, true},
      {1500, 950, 1.0, 0, true, true},   {459, 300, 1.0, 0, false, true},
      {300, 120, 1.0, 0, false, false},  // below the least size: buttons first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " at " << c.scale);
    const TFormLayout l = LayoutForm(c.w, c.h, Scaled(330, c.scale), c.scale, c.areaHeight);
    const TBounds ok = l[ControlId::Button1];
    const TBounds cancel = l[ControlId::Button2];
    EXPECT_EQ(ok.Height, Scaled(25, c.scale));
    EXPECT_EQ(cancel.Width, Scaled(137, c.scale));
    EXPECT_TRUE(Inside(ok, c.w, c.h) && Inside(cancel, c.w, c.h));
    EXPECT_EQ(l[ControlId::StringGrid1].Height > 0, c.table);
    EXPECT_EQ(l[ControlId::Memo1].Height > 0, c.memo);
    // The area line shows all of its text while the help text still shows.
    if (c.memo) {
      EXPECT_GE(l[ControlId::LabelArea].Height, std::max(c.areaHeight, Scaled(32, c.scale)));
    }
    const std::vector<TBounds> parts = {
        l.Panel3, l[ControlId::StringGrid1], l[ControlId::LabelArea], l[ControlId::Memo1],    ok,
        cancel,   l[ControlId::PaintBox1],   l[ControlId::LabelA1],   l[ControlId::InfoStrip]};
    for (size_t i = 0; i < parts.size(); ++i) {
      EXPECT_TRUE(Inside(parts[i], c.w, c.h)) << i;
      for (size_t j = i + 1; j < parts.size(); ++j) {
        EXPECT_FALSE(Overlap(parts[i], parts[j])) << i << " and " << j;
      }
    }
  }
}

TEST(HalfWidthNumerals, TurnsFullWidthDigitsPointAndMinus) {
  const struct {
    const char* typed;
    const char* kept;
  } cases[] = {
      {"６０００", "6000"},
      {"－１２．５", "-12.5"},
      {"−３", "-3"},       // the minus sign some code pages give
      {"１，５", "1，5"},  // a comma is not a point: its warning says so
      {"ＡＢ＋エラー　", "ＡＢ＋エラー　"},
  };
  for (const auto& c : cases) EXPECT_EQ(HalfWidthNumerals(c.typed), c.kept) << c.typed;
}

}  // namespace
