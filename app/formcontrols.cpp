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
    {ControlId::LabelArea, K::Label, "LabelArea", "", A::Form, {}, 0, false},
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

std::optional<TClipboardText> ClipboardTextOf(const std::string& utf8) {
  if (utf8.empty()) return std::nullopt;
  if (!ControlTakesText(utf8)) return TClipboardText{false, {}};
  return TClipboardText{true, SjisFromUtf8(utf8)};
}

std::string HalfWidthNumerals(const std::string& utf8) {
  // Full-width forms are U+FF01..U+FF5E, three bytes each: EF BC 80..BF for
  // U+FF00..U+FF3F. The minus sign U+2212 (E2 88 92) is what some input
  // methods and code pages make of Shift-JIS's full-width minus.
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(utf8[i + k]); };
    if (i + 2 < utf8.size() && b(0) == 0xEF && b(1) == 0xBC) {
      const int ascii = 0x20 + (b(2) - 0x80);  // U+FF00 + n is ASCII 0x20 + n
      if ((ascii >= '0' && ascii <= '9') || ascii == '.' || ascii == '-') {
        out += static_cast<char>(ascii);
        i += 2;
        continue;
      }
    }
    if (i + 2 < utf8.size() && b(0) == 0xE2 && b(1) == 0x88 && b(2) == 0x92) {
      out += '-';
      i += 2;
      continue;
    }
    out += utf8[i];
  }
  return out;
}

int32_t Scaled(int32_t designed, double scale) {
  return static_cast<int32_t>(std::lround(designed * scale));
}

TFormLayout LayoutForm(int32_t clientWidth, int32_t clientHeight, int32_t panel2Width, double scale,
                       int32_t areaHeight) {
  const int32_t w = std::max(clientWidth, 0);
  const int32_t h = std::max(clientHeight, 0);
  const int32_t statusHeight = Scaled(kLabelA1Height, scale);
  const int32_t stripHeight = Scaled(kInfoStripHeight, scale);
  const int32_t panel3Height = Scaled(kPanel3Height, scale);
  // Panel4 holds the help text over the buttons' row; the row is anchored to
  // the panel's bottom and never gives way.
  const int32_t buttonsTop = Scaled(FormControl(ControlId::Button1).Bounds.Top, scale);
  const int32_t buttonsRow = Scaled(kPanel4Height, scale) - buttonsTop;
  const int32_t least = panel3Height + buttonsRow;
  // The column above the status line keeps what the edits and the buttons
  // need; the strip at the bottom, then the status line give it up.
  const int32_t topHeight = std::max(h - statusHeight - stripHeight, std::min(h, least));
  const int32_t shownStatus = std::min(statusHeight, h - topHeight);
  const int32_t shownStrip = std::min(stripHeight, h - topHeight - shownStatus);
  const int32_t panelWidth = std::min(panel2Width, w);
  const int32_t panelLeft = w - panelWidth;

  // Between the edits and the buttons: the table, the area line and the
  // help text, which give way in that order.
  const int32_t room = std::max(topHeight - least, 0);
  const int32_t areaWanted = std::max(areaHeight, Scaled(kAreaLineHeight, scale));
  const int32_t memoWanted = buttonsTop;
  int32_t tableHeight = std::max(room - areaWanted - memoWanted, 0);
  // A table without a row to show goes; the area line takes its room.
  if (tableHeight < 2 * Scaled(kGridRowHeight, scale)) tableHeight = 0;
  int32_t memoPart = std::min(memoWanted, std::max(room - areaWanted, 0));
  // A sliver of the help text would show a scroll bar and no line.
  if (memoPart < Scaled(kGridRowHeight, scale)) memoPart = 0;
  int32_t areaShown = room - tableHeight - memoPart;
  // Nor a sliver of the area line, which would show the tops of glyphs.
  if (areaShown < Scaled(kAreaLineHeight, scale) / 2) areaShown = 0;
  const int32_t panel4Height = memoPart + buttonsRow;
  const int32_t panel4Top = std::max(topHeight - panel4Height, 0);

  TFormLayout l;
  l.Panel2 = {panelLeft, 0, panelWidth, topHeight};
  l.Panel3 = {panelLeft, 0, panelWidth, std::min(panel3Height, topHeight)};
  l.Panel4 = {panelLeft, panel4Top, panelWidth, panel4Height};
  // Panel4's controls sit as designed in a panel of the designed height
  // whose top is cut off as the help text gives way.
  const TBounds designedPanel4 = {panelLeft, topHeight - Scaled(kPanel4Height, scale), panelWidth,
                                  Scaled(kPanel4Height, scale)};
  for (const TControl& c : kControls) {
    TBounds& b = l.Controls[static_cast<size_t>(c.Id)];
    switch (c.Area) {
      case ControlArea::Panel3:
        b = ScaledIn(c.Bounds, l.Panel3, scale);
        break;
      case ControlArea::Panel4:
        b = ScaledIn(c.Bounds, designedPanel4, scale);
        break;
      case ControlArea::Form:
        break;
    }
  }
  auto at = [&l](ControlId id) -> TBounds& { return l.Controls[static_cast<size_t>(id)]; };
  TBounds& memo = at(ControlId::Memo1);
  memo.Height = std::max(memoPart - (memoWanted - memo.Height), 0);
  memo.Top = memo.Height > 0 ? panel4Top : topHeight - buttonsRow;
  at(ControlId::PaintBox1) = {0, 0, panelLeft, topHeight};
  at(ControlId::StringGrid1) = {panelLeft, panel3Height, panelWidth, tableHeight};
  at(ControlId::LabelArea) = {panelLeft, panel3Height + tableHeight, panelWidth, areaShown};
  at(ControlId::LabelA1) = {0, topHeight, w, shownStatus};
  at(ControlId::InfoStrip) = {0, topHeight + shownStatus, w, shownStrip};
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
