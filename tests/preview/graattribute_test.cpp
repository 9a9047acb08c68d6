// The attribute object's colours, widths, dot sizes and layer states.
#include "preview/graattribute.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kBlack = RGB(0, 0, 0);

TgraAttribute WindowAttributes() {
  TgraAttribute a;
  SetUpAttributesForWindow(a);
  return a;
}

TEST(TgraAttribute, ColorIndexMapsBothRangesAndNothingElse) {
  const struct {
    int32_t number;
    int32_t slot;
  } cases[] = {{1, 0},   {9, 8},    {101, 9},  {116, 24}, {356, 264}, {0, -1},
               {10, -1}, {100, -1}, {357, -1}, {-1, -1},  {50, -1}};
  for (const auto& c : cases) EXPECT_EQ(TgraAttribute::ColorIndex(c.number), c.slot) << c.number;
}

TEST(TgraAttribute, WindowSetUpShowsAuxiliaryAndUsesWhiteBackground) {
  TgraAttribute a = WindowAttributes();
  EXPECT_TRUE(a.GetShowAux());
  EXPECT_EQ(a.GetBackMode(), 0);
  EXPECT_EQ(a.GetBackColor(), kWhite);
  EXPECT_EQ(a.GetGrayColor(), RGB(128, 128, 128));
}

TEST(TgraAttribute, LineColorsOnWhiteBackground) {
  TgraAttribute a = WindowAttributes();
  const struct {
    int32_t number;
    TColor color;
  } cases[] = {
      {0, kWhite},
      {10, kWhite},
      {100, kWhite},
      {357, kWhite},
      {1, RGB(0, 192, 192)},
      {2, kBlack},
      {8, RGB(255, 0, 128)},
      {9, RGB(255, 128, 255)},
      {101, kBlack},
      {102, RGB(255, 0, 0)},
      {116, RGB(128, 128, 128)},
      {117, kBlack},
      {200, kBlack},
      {356, kBlack},
  };
  for (const auto& c : cases) EXPECT_EQ(a.GetLineColor(c.number), c.color) << c.number;
}

TEST(TgraAttribute, BlackBackgroundTakesEffectOnlyAfterInitColors) {
  TgraAttribute a = WindowAttributes();
  a.SetBackMode(1);
  EXPECT_EQ(a.GetBackColor(), kBlack);
  EXPECT_EQ(a.GetLineColor(2), kBlack) << "the table is not recoloured by SetBackMode";
  a.InitColors();
  EXPECT_EQ(a.GetLineColor(2), kWhite);
  EXPECT_EQ(a.GetLineColor(8), RGB(160, 0, 0));
  EXPECT_EQ(a.GetLineColor(6), RGB(32, 32, 255));
  EXPECT_EQ(a.GetLineColor(200), kWhite) << "extended colours take the foreground";
  EXPECT_EQ(a.GetLineColor(0), kBlack) << "invalid numbers take the background";
}

TEST(TgraAttribute, OtherBackModesChangeNothing) {
  TgraAttribute a = WindowAttributes();
  a.SetBackMode(2);
  EXPECT_EQ(a.GetBackMode(), 0);
  EXPECT_EQ(a.GetBackColor(), kWhite);
  EXPECT_EQ(a.GetForeColor(), kBlack);
}

TEST(TgraAttribute, WidthsAndDotSizes) {
  TgraAttribute a = WindowAttributes();
  const struct {
    int32_t number;
    double width;
    double dot;
  } cases[] = {{1, 0.1, 0.2},    {2, 0.15, 0.3},   {4, 0.25, 0.5}, {8, 0.5, 0.5}, {9, 0.01, 0.2},
               {101, 0.18, 0.2}, {356, 0.18, 0.2}, {10, 0.0, 0.1}, {0, 0.0, 0.1}};
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(a.GetLineWidth(c.number), c.width) << c.number;
    EXPECT_DOUBLE_EQ(a.GetDotSize(c.number), c.dot) << c.number;
  }
}

TEST(TgraAttribute, LayersStartNormalWithBracketedHexNames) {
  TgraAttribute a = WindowAttributes();
  EXPECT_EQ(a.GetLayerState(-1), 1);
  EXPECT_EQ(a.GetLayerState(256), 1);
  EXPECT_EQ(a.GetLayerState(0), 1);
  const TjwvLayer& l = a.Layer(171);
  EXPECT_EQ(l.GroupName, "[A] ");
  EXPECT_EQ(l.LayerName, "(B) ");
  EXPECT_DOUBLE_EQ(l.Scale, 1.0);
}

TEST(TgraAttribute, LayerStateSetterIgnoresIndicesOutsideTheTable) {
  TgraAttribute a = WindowAttributes();
  a.SetLayerState(5, 3);
  a.SetLayerState(256, 2);
  EXPECT_EQ(a.GetLayerState(5), 3);
  EXPECT_EQ(a.GetLayerState(256), 1);
  a.InitLayers();
  EXPECT_EQ(a.GetLayerState(5), 1);
}

TEST(TgraAttribute, ResetKeepsShowAux) {
  TgraAttribute a = WindowAttributes();
  a.SetBackMode(1);
  a.SetGrayColor(RGB(1, 2, 3));
  a.Reset();
  EXPECT_TRUE(a.GetShowAux());
  EXPECT_EQ(a.GetBackColor(), kWhite);
  EXPECT_EQ(a.GetGrayColor(), RGB(128, 128, 128));
  EXPECT_EQ(a.GetLineColor(2), kBlack);
}

TEST(TgraAttribute, WindowSetUpUndoesEveryChange) {
  TgraAttribute a;
  a.SetBackMode(1);
  a.InitColors();
  a.SetGrayColor(RGB(1, 2, 3));
  a.SetShowAux(false);
  a.SetLayerState(17, 3);
  SetUpAttributesForWindow(a);
  const TgraAttribute fresh = WindowAttributes();
  EXPECT_EQ(a.GetBackMode(), fresh.GetBackMode());
  EXPECT_EQ(a.GetBackColor(), fresh.GetBackColor());
  EXPECT_EQ(a.GetForeColor(), fresh.GetForeColor());
  EXPECT_EQ(a.GetGrayColor(), fresh.GetGrayColor());
  EXPECT_TRUE(a.GetShowAux());
  EXPECT_EQ(a.GetLayerState(17), 1);
  for (int32_t number : {1, 2, 9, 101, 116, 117, 356}) {
    EXPECT_EQ(a.GetLineColor(number), fresh.GetLineColor(number)) << number;
    EXPECT_EQ(a.GetLineWidth(number), fresh.GetLineWidth(number)) << number;
    EXPECT_EQ(a.GetDotSize(number), fresh.GetDotSize(number)) << number;
  }
}

}  // namespace
