// The distance table model: labels, Shift-JIS cells, refused edits.
#include "ui/qt/distancemodel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "common/sjis.h"

namespace {

TEST(DistanceModel, PassesTheModelTester) {
  DistanceModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
  EXPECT_TRUE(model.setData(model.index(4, 2), QStringLiteral("12.5")));
  model.SetCell(5, 9998, "1");
  model.SetRows({TTableRow{"1", "2", "3", "4", "5"}});
}

TEST(DistanceModel, KeepsCellsAsShiftJis) {
  DistanceModel model;
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  EXPECT_TRUE(model.setData(model.index(0, 2), QStringLiteral("　６㎡")));
  EXPECT_EQ(model.Cell(2, 1), Sjis("　６㎡"));
  EXPECT_EQ(model.data(model.index(0, 2)).toString(), QStringLiteral("　６㎡"));
  EXPECT_EQ(changed.count(), 1);
}

TEST(DistanceModel, RefusesWhatShiftJisCannotHoldAndTheLabels) {
  DistanceModel model;
  EXPECT_FALSE(model.setData(model.index(0, 1), QStringLiteral("1한")));
  EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("7")));
  EXPECT_FALSE(model.setData(model.index(0, 1), QStringLiteral("7"), Qt::DisplayRole));
  EXPECT_EQ(model.Cell(1, 1), "");
  EXPECT_EQ(model.data(model.index(0, 0)).toString(), "3");
  EXPECT_EQ(model.flags(model.index(0, 0)), Qt::NoItemFlags);
  EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
}

TEST(DistanceModel, ShowsBytesItCannotDecodeButKeepsThem) {
  DistanceModel model;
  model.SetCell(1, 1, "\x81");
  EXPECT_EQ(model.Cell(1, 1), "\x81");
  EXPECT_FALSE(model.data(model.index(0, 1)).toString().isEmpty());
}

TEST(DistanceModel, SetRowsEmptiesTheRowsBelow) {
  DistanceModel model;
  model.SetRows(std::vector<TTableRow>(10, TTableRow{"1", "1", "2", "1", "0"}));
  model.SetRows({TTableRow{"2", "2", "3", "2", "1"}});
  EXPECT_EQ(model.Cell(1, 1), "2");
  EXPECT_EQ(model.Rows()[1], TTableRow{});
  EXPECT_EQ(model.Rows()[9], TTableRow{});
  EXPECT_EQ(model.Rows().size(), static_cast<size_t>(kTableRows));
}

}  // namespace
