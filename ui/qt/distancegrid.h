// StringGrid1: the distance table view. Tab walks the cells, the columns can
// be sized, a rectangular range can be selected, typing starts editing. When
// the cell cursor moves, the grid first commits the open editor and then
// reports the move, so a handler that reads the table sees what was typed.
#pragma once

#include <QTableView>

class DistanceGrid : public QTableView {
  Q_OBJECT

 public:
  explicit DistanceGrid(QWidget* parent = nullptr);

  // Puts the text of an open cell editor into the table, as leaving the cell
  // would; the editor stays open.
  void CommitEditor();

 signals:
  // The cell cursor moved to (col, row) from a cell in previousRow; rows are
  // grid rows (1-based).
  void cellSelected(int col, int row, int previousRow);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};
