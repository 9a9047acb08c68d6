// The table's keys: a move is worked out as a cell, kept inside columns 1
// to 5 and rows 1 to kTableRows; everything else names what is to be done.
#include "app/gridkeys.h"

#include <algorithm>

#include "app/tablecells.h"
#include "exchange/tablefile.h"

namespace {

constexpr int32_t kLastColumn = kGridColumns - 1;

TGridKeyResult Stay(TGridAction action, const TGridKeyState& s) {
  return {action, s.Cursor, s.Anchor};
}

// The cursor to `to`; the anchor stays with a stretch, else comes along.
TGridKeyResult MoveTo(TCellPos to, bool stretch, const TGridKeyState& s) {
  to = {std::clamp(to.Col, 1, kLastColumn), std::clamp(to.Row, 1, kTableRows)};
  return {TGridAction::Move, to, stretch ? s.Anchor : to};
}

// Tab walks on from the row's end to the next row's start, and back.
TCellPos AfterTab(TCellPos at, bool back) {
  at.Col += back ? -1 : 1;
  if (at.Col < 1) return {kLastColumn, at.Row - 1};
  if (at.Col > kLastColumn) return {1, at.Row + 1};
  return at;
}

bool LeavesTheCell(TGridKey key) {
  switch (key) {
    case TGridKey::Tab:
    case TGridKey::Enter:
    case TGridKey::Up:
    case TGridKey::Down:
    case TGridKey::PageUp:
    case TGridKey::PageDown:
      return true;
    default:
      return false;
  }
}

}  // namespace

TGridKeyResult GridKeyAction(TGridKey key, bool shift, bool ctrl, const TGridKeyState& s) {
  if (s.Editing && key == TGridKey::Escape) return Stay(TGridAction::CancelEdit, s);
  if (s.Editing && key != TGridKey::Character && !LeavesTheCell(key)) {
    return Stay(TGridAction::None, s);
  }
  const TCellPos at = s.Cursor;
  switch (key) {
    case TGridKey::Left:
      return MoveTo({at.Col - 1, at.Row}, shift, s);
    case TGridKey::Right:
      return MoveTo({at.Col + 1, at.Row}, shift, s);
    case TGridKey::Up:
      return MoveTo({at.Col, at.Row - 1}, shift, s);
    case TGridKey::Down:
      return MoveTo({at.Col, at.Row + 1}, shift, s);
    case TGridKey::PageUp:
      return MoveTo({at.Col, at.Row - s.VisibleRows}, shift, s);
    case TGridKey::PageDown:
      return MoveTo({at.Col, at.Row + s.VisibleRows}, shift, s);
    case TGridKey::Home:
      return MoveTo({1, ctrl ? 1 : at.Row}, shift, s);
    case TGridKey::End:
      return MoveTo({kLastColumn, ctrl ? kTableRows : at.Row}, shift, s);
    case TGridKey::Tab:
      return MoveTo(AfterTab(at, shift), false, s);
    case TGridKey::Enter:
      return MoveTo({at.Col, at.Row + (shift ? -1 : 1)}, false, s);
    case TGridKey::F2:
      return {TGridAction::Edit, at, at};
    case TGridKey::Character:
      return ctrl ? Stay(TGridAction::None, s) : TGridKeyResult{TGridAction::Type, at, at};
    case TGridKey::Delete:
    case TGridKey::Backspace:
      return Stay(shift || ctrl ? TGridAction::None : TGridAction::Clear, s);
    case TGridKey::C:
      return Stay(ctrl ? TGridAction::Copy : TGridAction::None, s);
    case TGridKey::V:
      return Stay(ctrl ? TGridAction::Paste : TGridAction::None, s);
    case TGridKey::E:
      return Stay(ctrl ? TGridAction::ToggleArea : TGridAction::None, s);
    case TGridKey::Escape:
      break;
  }
  return Stay(TGridAction::None, s);
}
