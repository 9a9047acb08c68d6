// The area line's menu as the window shows it: each item's command, text,
// check mark and whether it may be chosen. TForm1 builds the items from the
// area's settings (AreaMenu) and carries out the one chosen (AreaMenuChoose).
#pragma once

#include <cstdint>
#include <string>

enum class TAreaCommand : uint8_t {
  Heron,
  BaseHeight,
  Coordinates,
  Table,
  Metres,
  Survey,
  RoundCut,
  RoundHalfUp,
  RoundUp,
  Tsubo,
  Checks,
  ToleranceKou2,
  ToleranceKou1,
  ToleranceFixed,
  DrawChecks,
  Setbacks,
  Cuts,
  CutOut,
  Copy,
  Sima
};
struct TAreaMenuItem {
  TAreaCommand Command = TAreaCommand::Heron;
  std::string Text;  // Shift-JIS
  bool Checked = false;
  bool Enabled = true;
  bool Checkable = true;  // a setting; else a command
};
