// The cells of the distance table, StringGrid1, as a Qt table model over the
// window's own cells (TTableCells): model column c is grid column c + 1 and
// model row i is grid row i + 1. The point numbers of grid column 0 are the
// vertical header, so they stay in sight while the cells scroll sideways.
// A cell the computation read as 0 is shown in red, its reason as a tip; a
// marked cell shows its mark and is edited as its text; the number of a point
// left out of the site's area is greyed.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <string>

#include "app/tablecells.h"

class DistanceModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 5;

  explicit DistanceModel(TTableCells& cells, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The grid rows first..last changed behind the model's back.
  void RowsChanged(int first, int last);

  // Tells whether a grid row's point is left out of the area.
  void SetLeftOut(std::function<bool(int32_t row)> leftOut) { leftOut_ = std::move(leftOut); }

 signals:
  // The user's text has gone into a cell.
  void cellEdited();

 private:
  TTableCells& cells_;
  std::function<bool(int32_t)> leftOut_;
};
