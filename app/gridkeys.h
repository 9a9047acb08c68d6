// StringGrid1's keyboard without a toolkit: what a key does to the table,
// as in a spreadsheet, decided once for any front end. A front end names
// the key, says which modifiers are held and where the cursor, the
// selection's anchor and its cell editor are; it gets back where they go
// and what it is to do.
#pragma once

#include <cstdint>

#include "app/frontend.h"

// The keys the table may act on, as on the keyboard. Character stands for
// any printable character typed; the letters are those of the shortcuts.
enum class TGridKey : uint8_t {
  Left,
  Right,
  Up,
  Down,
  Tab,
  Enter,
  PageUp,
  PageDown,
  Home,
  End,
  F2,
  Escape,
  Delete,
  Backspace,
  Character,
  C,
  V,
  E
};

struct TGridKeyState {
  TCellPos Cursor;
  TCellPos Anchor;          // the selection's other corner
  int32_t VisibleRows = 1;  // a page, for PageUp and PageDown
  bool Editing = false;     // the cell editor is open and has the keys
};

enum class TGridAction : uint8_t {
  None,        // not the table's key: the editor, or the window, has it
  Move,        // the editor commits and closes, then cursor and anchor move
  Edit,        // the editor opens on the cell's text (F2)
  Type,        // the editor opens on what was typed, or takes it if open
  CancelEdit,  // the editor closes, what was typed in it dropped
  Copy,
  Paste,
  Clear,       // the selected cells are emptied
  ToggleArea,  // the cursor's row leaves the area or comes back
};

struct TGridKeyResult {
  TGridAction Action = TGridAction::None;
  TCellPos Cursor;  // where cursor and anchor are once the action is done
  TCellPos Anchor;
  bool operator==(const TGridKeyResult&) const = default;
};

// What the key does. Arrows, PageUp, PageDown, Home and End move the
// cursor, stretching the selection with Shift; with Ctrl, Home and End go
// to the table's first and last cell. Tab walks the cells row by row (Shift:
// back); Enter moves down (Shift: up). The cursor stays inside the table.
// In the open editor only the keys that leave the cell (Tab, Enter, Up,
// Down, PageUp, PageDown) and Esc are the table's; the rest edit the text.
// Delete and Backspace alone, with no editor open, empty the selection.
TGridKeyResult GridKeyAction(TGridKey key, bool shift, bool ctrl, const TGridKeyState& state);
