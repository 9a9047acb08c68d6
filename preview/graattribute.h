// The drawing attributes: what an entity's colour number and layer become on
// the preview. Given a line colour number the object answers with a screen
// colour, a line width and a dot size; given a flat layer index (group x 16 +
// layer) with the layer's display state. It also holds the background mode
// with its colours, the grey for greyed layers and the switch for auxiliary
// entities. One instance lives beside the view state (gval.h); everything
// else only reads it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "preview/canvas.h"

// The display states of a layer.
inline constexpr int32_t kLayerNormal = 1;
inline constexpr int32_t kLayerGreyed = 2;  // drawn in the grey colour
inline constexpr int32_t kLayerHidden = 3;  // not drawn

// The display state and names of one layer.
struct TjwvLayer {
  int32_t State;  // kLayerNormal, kLayerGreyed or kLayerHidden
  double Scale;
  std::string GroupName;  // "[" + group digit + "] "
  std::string LayerName;  // "(" + layer digit + ") "
};

struct TgraColorEntry {
  TColor Color;
  double LineWidth;  // world units of the preview
  double DotSize;    // radius added to a point's mark, world units
};

class TgraAttribute {
 public:
  static constexpr int kLayerCount = 256;
  static constexpr int kColorCount = 265;  // colours 1..9 and 101..356

  // Sizes both tables and runs Reset.
  TgraAttribute();

  // White background, black foreground, grey 128, then InitLayers,
  // InitColors, InitLineWidths and InitDotSizes in this order. ShowAux stays.
  void Reset();
  // Every layer to state 1, scale 1 and its bracketed names.
  void InitLayers();
  // Every entry to ForeColor, then the defaults of the current BackMode; reads
  // BackMode and ForeColor, so SetBackMode comes first.
  void InitColors();
  // 0.18 for every entry, then the widths of colours 1..9.
  void InitLineWidths();
  // 0.2 for every entry, then the dot sizes of colours 1..9.
  void InitDotSizes();

  // 0 gives a white background, 1 a black one; other values change nothing.
  // The table is not recoloured until InitColors.
  void SetBackMode(int32_t mode);
  void SetGrayColor(TColor color);
  void SetShowAux(bool show);
  // The state of one layer (1, 2 or 3); an index outside 0..255 is ignored.
  void SetLayerState(int32_t flatLayer, int32_t state);

  int32_t GetBackMode() const { return BackMode; }
  TColor GetBackColor() const { return BackColor; }
  TColor GetForeColor() const { return ForeColor; }
  TColor GetGrayColor() const { return GrayColor; }
  bool GetShowAux() const { return ShowAux; }

  // The table slot of a colour number: 1..9 give 0..8, 101..356 give 9..264,
  // anything else -1.
  static int32_t ColorIndex(int32_t colorNumber);
  // 1 for an index outside 0..255.
  int32_t GetLayerState(int32_t flatLayer) const {
    return flatLayer < 0 || flatLayer >= kLayerCount ? kLayerNormal : Layers[flatLayer].State;
  }
  // BackColor for a number without a slot, so such an entity is drawn in the
  // background colour.
  TColor GetLineColor(int32_t colorNumber) const;
  // 0.0 for a number without a slot.
  double GetLineWidth(int32_t colorNumber) const;
  // 0.1 for a number without a slot.
  double GetDotSize(int32_t colorNumber) const;
  // The layer record; flatLayer must be in 0..255.
  const TjwvLayer& Layer(int32_t flatLayer) const { return Layers[flatLayer]; }

 private:
  std::array<TjwvLayer, kLayerCount> Layers;
  std::array<TgraColorEntry, kColorCount> Colors;
  int32_t BackMode = 0;
  TColor BackColor = RGB(255, 255, 255);
  TColor ForeColor = RGB(0, 0, 0);
  TColor GrayColor = RGB(128, 128, 128);
  bool ShowAux = false;
};

// The set-up the main window gives the instance when it is created: white
// background colours, default tables, auxiliary entities shown, grey 128.
void SetUpAttributesForWindow(TgraAttribute& attribute);
