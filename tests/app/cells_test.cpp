// The table's cells: the warnings on cells the computation reads as 0, and
// blocks pasted from and copied to a spreadsheet.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "app/cellblock.h"
#include "app/cellwarnings.h"
#include "common/sjis.h"
#include "exchange/store.h"
#include "formtest.h"

namespace {

TEST(CellWarningReason, NamesWhyATextReadsAsZero) {
  const struct {
    int col;
    const char* utf8;
    const char* reason;  // UTF-8; empty: no warning
  } cases[] = {
      {2, "12.5", ""},
      {2, "0", ""},
      {2, "-0.0", ""},
      {2, "", ""},
      {2, "　", ""},
      {1, "3", ""},
      {5, "エラー", ""},
      {2, "１２", "全角の数字は 0 と読まれます"},
      {1, "２", "全角の数字は 0 と読まれます"},
      {2, "12,5", "小数点は「.」です（0 と読まれます）"},
      {4, "12 ", "空白を含むため 0 と読まれます"},
      {1, "1.0", "整数で入力してください（0 と読まれます）"},
      {2, "abc", "数値として読めないため 0 と読まれます"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CellWarningReason(c.col, Sjis(c.utf8)), Sjis(c.reason)) << c.utf8;
  }
}

TEST(ParseCellBlock, SplitsTabsAndLinesAndDropsTheLastLineBreak) {
  const struct {
    std::string text;
    CellBlock want;
  } cases[] = {
      {"12.5\r\n", {{"12.5"}}},
      {"12.5\n", {{"12.5"}}},
      {"12.5", {{"12.5"}}},
      {"1\t6\t2\t8\t0\r\n1\t5\r\n", {{"1", "6", "2", "8", "0"}, {"1", "5"}}},
      {"a\t\tb\rc\n", {{"a", "", "b"}, {"c"}}},
      {"\r\n", {{""}}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCellBlock(c.text), c.want) << c.text;
}

class Cells : public FormTest {
 protected:
  void SetUp() override {
    folder.WriteHostFile();
    Start();
    ui.Edit1 = "10";
  }
};

TEST_F(Cells, APasteFillsFromTheCursorAndComputesOnce) {
  ui.Cursor = {1, 1};
  ui.Clipboard = TClipboardText{true, "1\t6\t2\t8\t0\r\n1\t6\t2\t8\t1\r\n"};
  form->StringGrid1Paste();
  EXPECT_EQ(form->Cells().Rows()[1], (TTableRow{"1", "6", "2", "8", "1"}));
  EXPECT_EQ(JwwStore.Points.size(), 4u);
  EXPECT_DOUBLE_EQ(JwwStore.Points[3].Y, -4.8);
}

TEST_F(Cells, APasteThatDoesNotFitOrCannotBeHeldChangesNothing) {
  const struct {
    TCellPos at;
    TClipboardText clip;
    const char* status;
  } cases[] = {
      {{4, 1}, {true, "1\t2\t3"}, "貼り付けできません：表に収まりません"},
      {{1, kTableRows}, {true, "1\n2\n"}, "貼り付けできません：表に収まりません"},
      {{1, 1}, {false, {}}, "貼り付けできません：Shift-JIS で表せない文字があります"},
  };
  for (const auto& c : cases) {
    ui.Cursor = c.at;
    ui.Clipboard = c.clip;
    form->StringGrid1Paste();
    EXPECT_EQ(ui.Status(), Sjis(c.status));
    EXPECT_EQ(form->Cells().Cell(c.at.Col, c.at.Row), "");
    EXPECT_EQ(form->Outline.Total(), 0);
  }
}

TEST_F(Cells, ClearingTheSelectionComputesAnew) {
  form->Cells().SetRows({TTableRow{"1", "6", "2", "8", "0"}, TTableRow{"1", "6", "2", "8", "1"}});
  ui.Selection = {{9, kTableRows + 1}, {2, 2}};  // held to the table
  form->StringGrid1Clear();
  EXPECT_EQ(form->Cells().Rows()[1], (TTableRow{"1", "", "", "", ""}));
  EXPECT_EQ(JwwStore.Points.size(), 3u);
}

TEST_F(Cells, CopyGivesTheSelectionAsASpreadsheetBlock) {
  form->Cells().SetRows({TTableRow{"1", "6", "2", "8", "0"}, TTableRow{"1", "5", "", "", ""}});
  ui.Selection = {{3, 2}, {2, 1}};
  form->StringGrid1Copy();
  ASSERT_TRUE(ui.Clipboard);
  EXPECT_EQ(ui.Clipboard->Sjis, "6\t2\r\n5\t\r\n");
}

TEST_F(Cells, ACellReadAsZeroIsMarkedWithItsReasonInTheStatusLine) {
  form->Cells().SetRows({TTableRow{"1", "6", "2", "8", "0"},
                         TTableRow{"1", Sjis("６"), "2", "8", "1"},
                         TTableRow{"1", "6", "2", "8", "0"}});
  form->ComputeOutline();
  EXPECT_EQ(form->Cells().Warning(2, 2), Sjis("全角の数字は 0 と読まれます"));
  EXPECT_EQ(form->Cells().Warning(2, 1), "");
  EXPECT_EQ(ui.Status(), Sjis("点4の距離：全角の数字は 0 と読まれます"));
  // The computation keeps its reading: the table ends at that row.
  EXPECT_EQ(JwwStore.Points.size(), 3u);
  form->Cells().SetCell(2, 2, "6");
  form->ComputeOutline();
  EXPECT_EQ(form->Cells().Warning(2, 2), "");
}

// A row whose circles miss shows "エラー" yet keeps, and later uses, its side.
TEST_F(Cells, ARowWhoseCirclesDoNotMeetIsMarkedAndKeepsItsSideFlag) {
  form->Cells().SetRows({TTableRow{"1", "1", "2", "8", "1"}});
  form->ComputeOutline();
  EXPECT_EQ(form->Cells().Shown(5, 1), Sjis("エラー"));
  EXPECT_EQ(form->Cells().Cell(5, 1), "1");
  form->Cells().SetCell(2, 1, "6");
  form->ComputeOutline();
  EXPECT_EQ(form->Cells().Shown(5, 1), "1");
  EXPECT_DOUBLE_EQ(JwwStore.Points.back().Y, -4.8);
}

// The status line's word about a cell goes with the cell's fault: when the
// cell is mended (typed, before any computation), cleared, or replaced by
// an opened table.
TEST_F(Cells, TheStatusLinesWarningGoesWhenTheCellIsMended) {
  const std::string hint = ui.Status();
  const std::string warning = Sjis("点4の距離：全角の数字は 0 と読まれます");
  const TTableRow bad{"1", Sjis("６"), "2", "8", "1"};
  const TTableRow good{"1", "6", "2", "8", "0"};
  const std::function<void()> mends[] = {
      [&] {
        form->Cells().SetCell(2, 2, "6");
        form->StringGrid1CellEdited();
      },
      [&] {
        ui.Answers = {true};
        form->Button3Click();
      },
      [&] {
        const auto path = folder.Path("good.dlist");
        WriteLines(path, {"0", "0", "475", "475", "", "5", "45", "1", "6", "2", "8", "0"});
        ui.Chosen = {path};
        form->Button4Click();
      },
  };
  for (const auto& mend : mends) {
    form->Cells().SetRows({good, bad});
    form->ComputeOutline();
    ASSERT_EQ(ui.Status(), warning);
    mend();
    EXPECT_EQ(ui.Status(), hint);
    EXPECT_EQ(form->Cells().Warning(2, 2), "");
  }
}

}  // namespace
