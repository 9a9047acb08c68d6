// The distance table model over the window's cells: labels, Shift-JIS
// cells, refused edits, the red of a cell read as 0.
#include "ui/qt/distancemodel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>

#include "common/sjis.h"

namespace {

TEST(DistanceModel, PassesTheModelTester) {
  TTableCells cells;
  DistanceModel model(cells);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
  EXPECT_TRUE(model.setData(model.index(4, 2), QStringLiteral("12.5")));
  model.RowsChanged(1, kTableRows);
}

TEST(DistanceModel, EditsTheCellsAsShiftJis) {
  TTableCells cells;
  DistanceModel model(cells);
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  EXPECT_TRUE(model.setData(model.index(0, 1), QStringLiteral("　６㎡")));
  EXPECT_EQ(cells.Cell(2, 1), Sjis("　６㎡"));
  EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("　６㎡"));
  EXPECT_EQ(changed.count(), 1);
  EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("1한")));
  EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("7"), Qt::DisplayRole));
  EXPECT_EQ(cells.Cell(1, 1), "");
}

TEST(DistanceModel, LabelsRowsWithTheirPointsAndMarksCellsReadAsZero) {
  TTableCells cells;
  DistanceModel model(cells);
  EXPECT_EQ(model.headerData(0, Qt::Vertical).toString(), "3");
  EXPECT_EQ(model.headerData(kTableRows - 1, Qt::Vertical).toString(), "10000");
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("相手点1"));
  cells.SetCell(2, 1, Sjis("１２"));
  cells.SetWarning(2, 1, Sjis("全角"));
  EXPECT_EQ(model.data(model.index(0, 1), Qt::ForegroundRole).value<QBrush>().color(),
            QColor(Qt::red));
  EXPECT_EQ(model.data(model.index(0, 1), Qt::ToolTipRole).toString(), QStringLiteral("全角"));
  EXPECT_FALSE(model.data(model.index(0, 0), Qt::ForegroundRole).isValid());
}

}  // namespace
