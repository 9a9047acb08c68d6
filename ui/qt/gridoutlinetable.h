// The window's input as the outline computation reads it: Edit1, Edit2 and
// the rows of the distance table, all as Shift-JIS.
#pragma once

#include "exchange/outline.h"

class DistanceModel;
class SjisLineEdit;

class GridOutlineTable final : public OutlineTable {
 public:
  GridOutlineTable(DistanceModel& cells, const SjisLineEdit& edit1, const SjisLineEdit& edit2);

  std::string Edit1Text() const override;
  std::string Edit2Text() const override;
  int RowCount() const override;
  std::string Cell(int col, int row) const override;
  void SetCell(int col, int row, const std::string& text) override;

 private:
  DistanceModel& cells_;
  const SjisLineEdit& edit1_;
  const SjisLineEdit& edit2_;
};
