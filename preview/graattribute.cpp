// The attribute object's tables: default colours, line widths and dot sizes
// per colour number, the layer states and the window's start values.
#include "preview/graattribute.h"

#include <cstddef>

namespace {

constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kBlack = RGB(0, 0, 0);
constexpr TColor kGrey = RGB(128, 128, 128);

// The default colours of slots 0..24 (colours 1..9 and 101..116); the slots
// after them keep ForeColor.
struct DefaultColor {
  TColor OnWhite;
  TColor OnBlack;
};

constexpr DefaultColor kDefaultColors[] = {
    {RGB(0, 192, 192), RGB(0, 255, 255)},     {RGB(0, 0, 0), RGB(255, 255, 255)},
    {RGB(0, 192, 0), RGB(0, 255, 0)},         {RGB(192, 192, 0), RGB(255, 255, 0)},
    {RGB(192, 0, 192), RGB(192, 0, 192)},     {RGB(0, 0, 255), RGB(32, 32, 255)},
    {RGB(0, 128, 128), RGB(0, 128, 128)},     {RGB(255, 0, 128), RGB(160, 0, 0)},
    {RGB(255, 128, 255), RGB(192, 128, 128)}, {RGB(0, 0, 0), RGB(255, 255, 255)},
    {RGB(255, 0, 0), RGB(255, 0, 0)},         {RGB(0, 255, 0), RGB(0, 255, 0)},
    {RGB(0, 0, 255), RGB(0, 0, 255)},         {RGB(255, 255, 0), RGB(255, 255, 0)},
    {RGB(255, 0, 255), RGB(255, 0, 255)},     {RGB(0, 255, 255), RGB(0, 255, 255)},
    {RGB(0, 0, 0), RGB(255, 255, 255)},       {RGB(192, 0, 128), RGB(192, 0, 128)},
    {RGB(192, 128, 64), RGB(192, 128, 64)},   {RGB(255, 128, 0), RGB(255, 128, 0)},
    {RGB(128, 192, 128), RGB(128, 192, 128)}, {RGB(0, 128, 255), RGB(0, 128, 255)},
    {RGB(128, 64, 255), RGB(128, 64, 255)},   {RGB(192, 192, 192), RGB(192, 192, 192)},
    {RGB(128, 128, 128), RGB(128, 128, 128)},
};

// Line widths and dot sizes of colours 1..9; every other colour has 0.18 and 0.2.
constexpr double kStandardLineWidths[9] = {0.1, 0.15, 0.2, 0.25, 0.3, 0.35, 0.4, 0.5, 0.01};
constexpr double kStandardDotSizes[9] = {0.2, 0.3, 0.4, 0.5, 0.5, 0.5, 0.5, 0.5, 0.2};

constexpr double kExtendedLineWidth = 0.18;
constexpr double kExtendedDotSize = 0.2;
constexpr double kUnknownDotSize = 0.1;

char HexDigit(int v) {
  return "0123456789ABCDEF"[v & 15];
}

}  // namespace

TgraAttribute::TgraAttribute() {
  Reset();
}

void TgraAttribute::Reset() {
  BackMode = 0;
  BackColor = kWhite;
  ForeColor = kBlack;
  GrayColor = kGrey;
  InitLayers();
  InitColors();
  InitLineWidths();
  InitDotSizes();
}

void TgraAttribute::InitLayers() {
  for (int i = 0; i < kLayerCount; ++i) {
    Layers[i] = {kLayerNormal, 1.0, std::string("[") + HexDigit(i / 16) + "] ",
                 std::string("(") + HexDigit(i % 16) + ") "};
  }
}

void TgraAttribute::InitColors() {
  for (TgraColorEntry& e : Colors) e.Color = ForeColor;
  if (BackMode != 0 && BackMode != 1) return;
  for (size_t slot = 0; slot < std::size(kDefaultColors); ++slot) {
    Colors[slot].Color =
        BackMode == 0 ? kDefaultColors[slot].OnWhite : kDefaultColors[slot].OnBlack;
  }
}

void TgraAttribute::InitLineWidths() {
  for (TgraColorEntry& e : Colors) e.LineWidth = kExtendedLineWidth;
  for (size_t slot = 0; slot < std::size(kStandardLineWidths); ++slot) {
    Colors[slot].LineWidth = kStandardLineWidths[slot];
  }
}

void TgraAttribute::InitDotSizes() {
  for (TgraColorEntry& e : Colors) e.DotSize = kExtendedDotSize;
  for (size_t slot = 0; slot < std::size(kStandardDotSizes); ++slot) {
    Colors[slot].DotSize = kStandardDotSizes[slot];
  }
}

void TgraAttribute::SetBackMode(int32_t mode) {
  if (mode != 0 && mode != 1) return;
  BackMode = mode;
  BackColor = mode == 0 ? kWhite : kBlack;
  ForeColor = mode == 0 ? kBlack : kWhite;
}

void TgraAttribute::SetGrayColor(TColor color) {
  GrayColor = color;
}

void TgraAttribute::SetShowAux(bool show) {
  ShowAux = show;
}

void TgraAttribute::SetLayerState(int32_t flatLayer, int32_t state) {
  if (flatLayer >= 0 && flatLayer < kLayerCount) Layers[flatLayer].State = state;
}

int32_t TgraAttribute::ColorIndex(int32_t colorNumber) {
  if (colorNumber >= 1 && colorNumber <= 9) return colorNumber - 1;
  if (colorNumber >= 101 && colorNumber <= 356) return colorNumber - 92;
  return -1;
}

TColor TgraAttribute::GetLineColor(int32_t colorNumber) const {
  int32_t slot = ColorIndex(colorNumber);
  return slot < 0 ? BackColor : Colors[slot].Color;
}

double TgraAttribute::GetLineWidth(int32_t colorNumber) const {
  int32_t slot = ColorIndex(colorNumber);
  return slot < 0 ? 0.0 : Colors[slot].LineWidth;
}

double TgraAttribute::GetDotSize(int32_t colorNumber) const {
  int32_t slot = ColorIndex(colorNumber);
  return slot < 0 ? kUnknownDotSize : Colors[slot].DotSize;
}

void SetUpAttributesForWindow(TgraAttribute& attribute) {
  attribute.Reset();
  attribute.SetShowAux(true);
}
