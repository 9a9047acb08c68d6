// Form1's controls described once: what each one is, what it says, where it
// sits as designed, its place in the tab order and whether an input method
// may be on in it. Both front ends build their windows from this table and
// place the controls with LayoutForm, so the two windows cannot drift apart.
//
// Sizes are the designed pixels at 96 dots per inch; LayoutForm scales them
// for the screen the window is on.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "app/frontend.h"

inline constexpr int32_t kDesignLeft = 192;
inline constexpr int32_t kDesignTop = 134;
inline constexpr int32_t kDesignWidth = 660;
inline constexpr int32_t kDesignHeight = 539;
inline constexpr int32_t kPanel2Width = 244;     // the right-hand column, at least
inline constexpr int32_t kPanel3Height = 56;     // point 2's edits and the file buttons
inline constexpr int32_t kPanel4Height = 115;    // the help text and OK / cancel
inline constexpr int32_t kLabelA1Height = 24;    // the status line
inline constexpr int32_t kInfoStripHeight = 65;  // the strip at the bottom
inline constexpr int32_t kFontHeight = 13;       // the window's font, in pixels
inline constexpr int32_t kGridFontHeight = 12;   // the table's font
inline constexpr int32_t kGridRowHeight = 24;
inline constexpr int32_t kAreaLineHeight = 32;  // two lines of the site's area under the table

enum class ControlKind : uint8_t { Preview, Label, Status, InfoStrip, Edit, Button, Grid, Memo };

// What a control's designed bounds are relative to. The preview, the status
// line, the strip and the grid fill what the panels leave.
enum class ControlArea : uint8_t { Form, Panel3, Panel4 };

struct TControl {
  ControlId Id;
  ControlKind Kind;
  const char* Name;  // the designed component name
  const char* Text;  // UTF-8, as shown; "&" marks a mnemonic (with Alt)
  ControlArea Area;
  TBounds Bounds;    // designed, inside its area
  int32_t TabOrder;  // 1, 2, ... through the window; 0: no tab stop
  bool InputMethod;  // false: the input method stays off (numbers only)
};

inline constexpr size_t kControlCount = static_cast<size_t>(ControlId::Count);

// Every control, in the order a front end creates them (the tab order among
// those with a tab stop).
std::span<const TControl> FormControls();
const TControl& FormControl(ControlId id);

// Where everything goes in a client area of the given size: the panels and
// each control, in client pixels. scale is the screen's dots per inch / 96;
// panel2Width the right-hand column's width in client pixels (wide enough
// for the table's default columns, kPanel2Width scaled at least);
// areaHeight the height the area line's text needs at that width (its
// designed two lines at least). However small the client, OK and cancel
// keep their place and size and nothing overlaps: the table gives way
// first, then the help text, then the area line, then the info strip.
struct TFormLayout {
  TBounds Panel2;
  TBounds Panel3;
  TBounds Panel4;
  std::array<TBounds, kControlCount> Controls;
  const TBounds& operator[](ControlId id) const { return Controls[static_cast<size_t>(id)]; }
};
TFormLayout LayoutForm(int32_t clientWidth, int32_t clientHeight, int32_t panel2Width, double scale,
                       int32_t areaHeight = 0);

// Whether an edit or a cell takes the typed or pasted text (UTF-8): only
// what Shift-JIS can hold, since the table file and the host keep nothing
// else; a front end refuses the rest as it is typed, the text unchanged.
bool ControlTakesText(const std::string& utf8);
// The clipboard's text (UTF-8) as a paste into the table takes it: nothing
// when there is none, and not Encodable when the table cannot take it.
std::optional<TClipboardText> ClipboardTextOf(const std::string& utf8);

// The text with full-width digits, decimal point and minus sign (as an
// input method in full-width mode types them) turned into the half-width
// ones a number is read from; everything else as it was, the full-width
// comma too (a comma is not a decimal point, and its warning tells so).
// UTF-8 in and out; each character changed stays one UTF-16 unit, so a
// caret position in the text stays valid.
std::string HalfWidthNumerals(const std::string& utf8);

// A window being resized sends sizes in bursts; the preview is drawn anew
// once none has come for this long.
inline constexpr int kResizeSettleMs = 150;

// A designed size in pixels at the scale, rounded to the nearest pixel.
int32_t Scaled(int32_t designed, double scale);

// The table's default column widths, in half-width characters: the whole
// headers ("相手点1"), a distance of nine characters ("19602.345") and the
// side column's "エラー".
std::array<int32_t, 6> GridColumnChars();
// The pixel width of a column that shows text of the given pixel width, its
// margins and its grid line included.
int32_t GridColumnWidth(int32_t textWidth, double scale);
// The inner margin left of a cell's text.
int32_t GridTextMargin(double scale);
