// StringGrid1 on Win32: the distance table drawn by hand over TForm1's
// cells (each as it is shown, a mark in place of its text), with the fixed
// header row and point-number column, a cursor and a
// block selection, an EDIT opened in place for typing, the keys of a
// spreadsheet (arrows, Tab, Enter, F2, typing starts editing, Ctrl+C/V), and
// columns sized by dragging a header border or fitted to their widest text
// by a double-click on it. The system has no grid control of its own that
// edits in place.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "app/frontend.h"
#include "app/gridkeys.h"
#include "app/tablecells.h"
#include "ui/win32/win32.h"

class CellGrid {
 public:
  struct Events {
    // The cursor is about to move to (col, row) from a cell of currentRow.
    std::function<void(int32_t col, int32_t row, int32_t currentRow)> SelectCell;
    // The focus came into the grid (or its editor) from elsewhere in the
    // window, or left it for another control of the window.
    std::function<void()> Enter;
    std::function<void()> Exit;
    std::function<void()> Copy;
    std::function<void()> Paste;
    // Delete or Backspace with no editor open: the selection is emptied.
    std::function<void()> Clear;
    // The editor's text has gone into a cell.
    std::function<void()> Edited;
    // A double click on a point number, or Ctrl+E on its row, leaves the
    // row's point out of the site's area or takes it back; LeftOut tells
    // which numbers to grey.
    std::function<void(int32_t row)> ToggleArea;
    std::function<bool(int32_t row)> LeftOut;
  };

  CellGrid(HWND parent, int id, TTableCells& cells, Events events);
  // The grid's window goes with it: no message reaches a grid that is gone.
  ~CellGrid();
  CellGrid(const CellGrid&) = delete;
  CellGrid& operator=(const CellGrid&) = delete;

  HWND Hwnd() const { return hwnd_; }
  // The font and the density (dots per inch / 96): row heights and the
  // default column widths follow them.
  void SetLook(HFONT font, double scale);
  // The width of all columns together, and the left edge of a column.
  int ColumnsWidth() const;
  int ColumnLeft(int32_t col) const;
  void RowsChanged(int32_t firstRow, int32_t lastRow);
  // Puts the open editor's text into the cell; the editor stays open.
  void CommitEditor();
  TCellPos Cursor() const { return cursor_; }
  // Moves the cursor without a SelectCell report.
  void SetCursor(TCellPos cell);
  TCellRange Selection() const { return {anchor_, cursor_}; }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT EditorMessage(HWND editor, UINT msg, WPARAM wp, LPARAM lp);
  // A key down in the grid or its editor, and a key or character (typed,
  // with its WM_CHAR lParam) as the table's keys have it; true when the
  // table took it.
  bool KeyDown(WPARAM vk);
  bool Key(TGridKey key, WPARAM typed, LPARAM lp);

  void Paint(HDC dc);
  RECT CellRect(int32_t col, int32_t row) const;
  // The column under x, and the column whose right border is within reach
  // of x in the header row (-1 when none).
  int32_t ColumnAt(int x) const;
  int32_t BorderAt(int x, int y) const;
  int TextWidth(const std::string& sjis) const;
  // The column as wide as its widest text, its header included.
  void FitColumn(int32_t col);
  bool MouseMessage(UINT msg, WPARAM wp, LPARAM lp);
  int32_t VisibleRows() const;
  void ScrollTo(int32_t topRow);
  void UpdateScrollBar();
  void EnsureVisible(int32_t row);
  // Moves the cursor as the user does: the editor commits and closes, the
  // move is reported; the selection runs from anchor to the cursor.
  void MoveCursor(TCellPos to, TCellPos anchor);
  void OpenEditor(const std::wstring& text, bool selectAll);
  void CloseEditor(bool commit);
  void FocusArrived();
  void FocusLeaving(HWND next);

  HWND hwnd_ = nullptr;
  HWND editor_ = nullptr;
  TTableCells& cells_;
  HFONT font_ = nullptr;
  double scale_ = 1.0;
  int rowHeight_ = 24;
  std::array<int, 6> columnWidths_{};
  int32_t sizing_ = -1;  // the column whose border is being dragged
  Events events_;
  TCellPos cursor_;
  TCellPos anchor_;
  TCellPos editing_;
  // Open by its own record: the window of a hidden or minimised form is not
  // visible, yet what was typed in it must still reach the cell.
  bool editorOpen_ = false;
  int32_t topRow_ = 1;
  bool focused_ = false;  // the grid window itself has the focus
  bool inside_ = false;   // the focus is in the grid or its editor
  bool dragging_ = false;
};
