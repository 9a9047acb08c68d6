// The cells of the distance table, StringGrid1: column 0 holds the row
// labels "3" .. "10000" (the point each row fixes), columns 1 to 5 the
// Shift-JIS texts the user typed. Grid rows are 1-based as in the table
// file; model rows are 0-based, so model row i is grid row i + 1.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "exchange/tablefile.h"

class DistanceModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 6;

  explicit DistanceModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // Shift-JIS text of a cell; col 1..5, row 1..kTableRows.
  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, const std::string& text);

  // All kTableRows rows, in order.
  const std::vector<TTableRow>& Rows() const { return rows_; }

  // Takes the given rows from row 1 on and empties every row after them.
  void SetRows(const std::vector<TTableRow>& rows);

 private:
  std::vector<TTableRow> rows_;
};
