// StringGrid1: the distance table view. Tab walks the cells, Enter commits
// and moves down (Shift+Enter up), the columns can be sized by dragging a
// header border and fitted to their widest text by a double-click on it, a
// text too long for its cell ends in an ellipsis, a rectangular range can be
// selected, typing or F2 or a double click starts editing; the point numbers stand fixed at the
// left, under the corner's "点番号". When the cell cursor moves, the grid first commits the open
// editor and then reports the move, so a handler that reads the table sees what was typed. Ctrl+C,
// Ctrl+V, and Delete or Backspace on the cells are reported, not handled.
#pragma once

#include <QTableView>

class DistanceGrid : public QTableView {
  Q_OBJECT

 public:
  explicit DistanceGrid(QWidget* parent = nullptr);

  // Puts the text of an open cell editor into the table, as leaving the cell
  // would; the editor stays open.
  void CommitEditor();
  // The columns as wide as the whole headers and a distance of nine
  // characters need, in the grid's font.
  void SetDefaultColumnWidths();

 signals:
  // The cell cursor moved to (col, row) from a cell in previousRow; grid
  // columns 1..5 and rows 1..9998.
  void cellSelected(int col, int row, int previousRow);
  void copyRequested();
  void pasteRequested();
  // Delete or Backspace on the cells, no editor open.
  void clearRequested();

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};
