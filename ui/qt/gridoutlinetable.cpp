// Hands the window's edits and table rows to the outline computation.
#include "ui/qt/gridoutlinetable.h"

#include "ui/qt/distancemodel.h"
#include "ui/qt/sjislineedit.h"

GridOutlineTable::GridOutlineTable(DistanceModel& cells, const SjisLineEdit& edit1,
                                   const SjisLineEdit& edit2)
    : cells_(cells), edit1_(edit1), edit2_(edit2) {}

std::string GridOutlineTable::Edit1Text() const {
  return edit1_.Sjis();
}

std::string GridOutlineTable::Edit2Text() const {
  return edit2_.Sjis();
}

int GridOutlineTable::RowCount() const {
  return kTableRows;
}

std::string GridOutlineTable::Cell(int col, int row) const {
  return cells_.Cell(col, row);
}

void GridOutlineTable::SetCell(int col, int row, const std::string& text) {
  cells_.SetCell(col, row, text);
}
