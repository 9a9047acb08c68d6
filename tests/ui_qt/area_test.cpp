// The site's area on the Qt window: the line under the table, a point left
// out by a double click on its number or Ctrl+E on its row, and the table
// copied by Ctrl+C on the line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QTest>

#include "ui/qt/distancegrid.h"
#include "ui/qt/distancemodel.h"
#include "ui/qt/mainwindow.h"
#include "windowtest.h"

namespace {

class AreaWindow : public WindowTest {};

TEST_F(AreaWindow, ShowsTheAreaAndLeavesAPointOutByMouseAndKey) {
  folder.WriteHostFile();
  WriteLines(folder.SettingsPath(),
             {"0", "0", "660", "539", "", "3000", "0", "1", "1", "4000", "2", "5000", "0"});
  MainWindow& w = Start();
  EXPECT_EQ(w.LabelArea->text(), QString());
  w.Form().ComputeOutline();
  EXPECT_TRUE(w.LabelArea->isVisible());
  EXPECT_EQ(w.LabelArea->text(), QStringLiteral("敷地面積 6.00㎡（1.81坪） ヘロン法・1三角形"));

  QHeaderView* numbers = w.StringGrid1->verticalHeader();
  QTest::mouseDClick(numbers->viewport(), Qt::LeftButton, {},
                     QPoint(5, numbers->sectionViewportPosition(0) + 5));
  EXPECT_TRUE(w.Form().RowLeftOut(1));
  EXPECT_EQ(w.StringGrid1Cells->headerData(0, Qt::Vertical, Qt::ForegroundRole),
            QVariant(QBrush(Qt::gray)));
  EXPECT_EQ(w.LabelArea->text(), QString());

  w.StringGrid1->setFocus();
  QTest::keyClick(w.StringGrid1, Qt::Key_E, Qt::ControlModifier);
  EXPECT_FALSE(w.Form().RowLeftOut(1));
  EXPECT_FALSE(w.LabelArea->text().isEmpty());

  // A click on the area line, then Ctrl+C: the table for a spreadsheet.
  QApplication::clipboard()->clear();
  QTest::mouseClick(w.LabelArea, Qt::LeftButton);
  EXPECT_EQ(QApplication::focusWidget(), w.LabelArea);
  QTest::keyClick(w.LabelArea, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QApplication::clipboard()->text().endsWith(QStringLiteral("敷地面積(㎡)\t6.00\r\n")));
}

}  // namespace
