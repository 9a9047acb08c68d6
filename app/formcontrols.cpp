// The controls of Form1 and where they go.
#include "app/formcontrols.h"

#include <algorithm>
#include <cmath>

#include "common/sjis.h"
#include "exchange/tablefile.h"

namespace {

using K = ControlKind;
using A = ControlArea;

// Designed places: Panel3's and Panel4's controls inside their panel; the
// rest is docked and placed by LayoutForm alone.
constexpr int32_t kEditHeight = 21;
constexpr std::array<TControl, kControlCount> kControls = {{
    {ControlId::PaintBox1, K::Preview, "PaintBox1", "", A::Form, {}, 0, false},
    {ControlId::Label1,
     K::Label,
     "Label1",
     "点1：原点（基準点）",
     A::Panel3,
     {8, 8, 140, 16},
     0,
     false},
    {ControlId::Label2, K::Label, "Label2", "点2：距離", A::Panel3, {8, 32, 70, 16}, 0, false},
    {ControlId::Edit1, K::Edit, "Edit1", "", A::Panel3, {80, 28, 41, kEditHeight}, 1, false},
    {ControlId::Label3, K::Label, "Label3", "角度", A::Panel3, {128, 32, 30, 16}, 0, false},
    {ControlId::Edit2, K::Edit, "Edit2", "", A::Panel3, {160, 28, 49, kEditHeight}, 2, false},
    {ControlId::Label4, K::Label, "Label4", "°", A::Panel3, {216, 32, 20, 16}, 0, false},
    {ControlId::StringGrid1, K::Grid, "StringGrid1", "", A::Form, {}, 3, false},
    {ControlId::Button1, K::Button, "Button1", "ＯＫ(&Y)", A::Panel4, {0, 90, 97, 25}, 4, false},
    {ControlId::Button2,
     K::Button,
     "Button2",
     "キャンセル(&N)",
     A::Panel4,
     {104, 90, 137, 25},
     5,
     false},
    {ControlId::Button3, K::Button, "Button3", "クリア", A::Panel3, {144, 0, 49, 25}, 0, false},
    {ControlId::Button4, K::Button, "Button4", "開", A::Panel3, {192, 0, 25, 25}, 0, false},
    {ControlId::Button5, K::Button, "Button5", "保", A::Panel3, {216, 0, 25, 25}, 0, false},
    {ControlId::Memo1, K::Memo, "Memo1", "", A::Panel4, {0, 0, 241, 89}, 0, true},
    {ControlId::LabelA1, K::Status, "LabelA1", "　", A::Form, {}, 0, true},
    {ControlId::InfoStrip, K::InfoStrip, "ScrollBox1", "", A::Form, {}, 0, true},
}};

constexpr bool InOrder() {
  for (size_t i = 0; i < kControls.size(); ++i) {
    if (static_cast<size_t>(kControls[i].Id) != i) return false;
  }
  return true;
}
static_assert(InOrder(), "the table lists the controls in the order of ControlId");

TBounds ScaledIn(const TBounds& designed, const TBounds& area, double scale) {
  return {area.Left + Scaled(designed.Left, scale), area.Top + Scaled(designed.Top, scale),
          Scaled(designed.Width, scale), Scaled(designed.Height, scale)};
}

}  // namespace

std::span<const TControl> FormControls() {
  return kControls;
}

const TControl& FormControl(ControlId id) {
  return kControls[static_cast<size_t>(id)];
}

bool ControlTakesText(const std::string& utf8) {
  return SjisCanEncode(utf8);
}

TCellPos CellAfterEnter(TCellPos at, bool shift) {
  return {at.Col, std::clamp(at.Row + (shift ? -1 : 1), 1, kTableRows)};
}

int32_t Scaled(int32_t designed, double scale) {
  return static_cast<int32_t>(std::lround(designed * scale));
}

TFormLayout LayoutForm(int32_t clientWidth, int32_t clientHeight, int32_t panel2Width,
                       double scale) {
  const int32_t w = std::max(clientWidth, 0);
  const int32_t h = std::max(clientHeight, 0);
  const int32_t statusHeight = Scaled(kLabelA1Height, scale);
  const int32_t stripHeight = Scaled(kInfoStripHeight, scale);
  const int32_t topHeight = std::max(h - statusHeight - stripHeight, 0);
  const int32_t panelWidth = std::min(panel2Width, w);
  const int32_t panelLeft = w - panelWidth;
  const int32_t panel3Height = Scaled(kPanel3Height, scale);
  const int32_t panel4Height = Scaled(kPanel4Height, scale);
  // Below a certain height the table goes first, then the help and buttons
  // are cut at the bottom, never laid over the edits.
  const int32_t panel4Top = std::max(topHeight - panel4Height, panel3Height);

  TFormLayout l;
  l.Panel2 = {panelLeft, 0, panelWidth, topHeight};
  l.Panel3 = {panelLeft, 0, panelWidth, panel3Height};
  l.Panel4 = {panelLeft, panel4Top, panelWidth, panel4Height};
  for (const TControl& c : kControls) {
    TBounds& b = l.Controls[static_cast<size_t>(c.Id)];
    switch (c.Area) {
      case ControlArea::Panel3:
        b = ScaledIn(c.Bounds, l.Panel3, scale);
        break;
      case ControlArea::Panel4:
        b = ScaledIn(c.Bounds, l.Panel4, scale);
        break;
      case ControlArea::Form:
        break;
    }
  }
  auto at = [&l](ControlId id) -> TBounds& { return l.Controls[static_cast<size_t>(id)]; };
  at(ControlId::PaintBox1) = {0, 0, panelLeft, topHeight};
  at(ControlId::StringGrid1) = {panelLeft, panel3Height, panelWidth, panel4Top - panel3Height};
  at(ControlId::LabelA1) = {0, topHeight, w, statusHeight};
  at(ControlId::InfoStrip) = {0, topHeight + statusHeight, w, stripHeight};
  return l;
}

std::array<int32_t, 6> GridColumnChars() {
  // 点番号, 相手点1, 距離, 相手点2, 距離, 向き (which shows "エラー" too).
  return {6, 7, 9, 7, 9, 6};
}

int32_t GridTextMargin(double scale) {
  return Scaled(3, scale);
}

int32_t GridColumnWidth(int32_t textWidth, double scale) {
  // A margin either side and the grid line.
  return textWidth + 2 * GridTextMargin(scale) + 1;
}
