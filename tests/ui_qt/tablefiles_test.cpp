// The table-file buttons: save and open a ".dlist" through the file dialogs,
// and clear with its confirmation box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "common/sjis.h"
#include "exchange/store.h"
#include "ui/qt/distancemodel.h"
#include "ui/qt/sjislineedit.h"
#include "windowtest.h"

namespace {

using ::testing::ElementsAre;

// Types the path into the dialog's file name box and presses Enter.
void ChooseFile(const QString& path) {
  WhenDialogOpens([path](QWidget* dialog) {
    ASSERT_NE(qobject_cast<QFileDialog*>(dialog), nullptr);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
  });
}

void AnswerClearBox(QMessageBox::StandardButton button) {
  WhenDialogOpens([button](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("各値をクリアします。よろしいですか？"));
    EXPECT_TRUE(box->button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));
    QTest::mouseClick(box->button(button), Qt::LeftButton);
  });
}

class TableFiles : public WindowTest {
 protected:
  void SetUp() override {
    WriteLines(folder.SettingsPath(),
               {"20", "30", "500",  "400", "",  "10", "0", "3", "1", "6", "2", "8",
                "0",  "1",  "　6 ", "2",   "8", "1",  "2", "9", "3", "7", ""});
  }

  const std::vector<TTableRow> rows =
      SjisRows({{"1", "6", "2", "8", "0"}, {"1", "　6 ", "2", "8", "1"}, {"2", "9", "3", "7", ""}});
};

TEST_F(TableFiles, TheChosenFileReachesTheFormByItsPath) {
  Start();
  const QString path = QtPath(folder.Path("敷地.dlist"));
  WriteLines(folder.Path("敷地.dlist"),
             {"0", "0", "475", "475", "", "5", "45", "1", "1", "5", "2", "5", "0"});
  ChooseFile(path);
  QTest::mouseClick(form->Button4, Qt::LeftButton);
  EXPECT_EQ(form->Edit1->text(), "5");
  EXPECT_EQ(QString::fromStdString(form->Form().LastTableFile.string()), path);
  EXPECT_EQ(form->Form().Cells().Cell(2, 1), "5");
}

TEST_F(TableFiles, DialogsOfferDataFilesAndStartAtTheLastOne) {
  const QString last = QtPath(folder.Path("old.dlist"));
  WriteLines(folder.SettingsPath(), {"0", "0", "500", "400", last.toStdString()});
  Start();
  for (QPushButton* button : {form->Button4, form->Button5}) {
    WhenDialogOpens([last](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->nameFilters(), QStringList({QStringLiteral("データファイル(*.dlist)")}));
      EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("dlist"));
      EXPECT_EQ(dialog->directory().absolutePath(), QFileInfo(last).absolutePath());
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(name, nullptr);
      EXPECT_EQ(name->text(), QStringLiteral("old.dlist"));
      dialog->reject();
    });
    QTest::mouseClick(button, Qt::LeftButton);
  }
  EXPECT_EQ(QString::fromStdString(form->Form().LastTableFile.string()), last);
}

TEST_F(TableFiles, ClearAsksFirst) {
  Start();
  Tab();
  ASSERT_GT(form->Form().Outline.Total(), 0);

  AnswerClearBox(QMessageBox::No);
  QTest::mouseClick(form->Button3, Qt::LeftButton);
  EXPECT_EQ(form->Edit1->text(), "10");
  EXPECT_EQ(form->Form().Cells().Rows()[0], rows[0]);

  AnswerClearBox(QMessageBox::Yes);
  QTest::mouseClick(form->Button3, Qt::LeftButton);
  EXPECT_EQ(form->Edit1->text(), "");
  EXPECT_EQ(form->Edit2->text(), "0");
  EXPECT_EQ(form->Form().Cells().Rows()[0], TTableRow{});
  EXPECT_EQ(form->Form().Outline.Total(), 0);
  EXPECT_TRUE(JwwStore.Order.empty());
}

}  // namespace
