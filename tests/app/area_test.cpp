// The site's area in the window: shown after every computation, rows left
// out and kept in the settings, and the area table sent on OK as the host
// will read it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/tform1.h"
#include "common/sjis.h"
#include "exchange/reader.h"
#include "exchange/store.h"
#include "formtest.h"
#include "site/areatable.h"

namespace {

using ::testing::ElementsAreArray;
using ::testing::EndsWith;

// The settings of the 3-4-5 m triangle: point 3 at (0, 4000) mm.
std::vector<std::string> Triangle345(std::vector<std::string> block) {
  std::vector<std::string> lines = {"0", "0", "475",  "475", "",     "3000", "0",
                                    "1", "1", "4000", "2",   "5000", "0"};
  lines.insert(lines.end(), block.begin(), block.end());
  return lines;
}

class AreaForm : public FormTest {
 protected:
  void SetUp() override { folder.WriteHostFile(); }
};

TEST_F(AreaForm, IsShownAfterEveryComputationAndRowsLeftOutAreKept) {
  WriteLines(folder.SettingsPath(), Triangle345({}));
  TForm1& f = Start();
  EXPECT_EQ(ui.AreaText, "");
  f.Edit1Exit();
  EXPECT_EQ(ui.AreaText, Sjis("敷地面積 6.00㎡（1.81坪） ヘロン法・1三角形"));

  f.StringGrid1ToggleArea(1);
  EXPECT_TRUE(f.RowLeftOut(1));
  EXPECT_EQ(ui.AreaText, "");
  f.StringGrid1ToggleArea(1);
  EXPECT_FALSE(f.RowLeftOut(1));
  EXPECT_EQ(ui.AreaText, Sjis("敷地面積 6.00㎡（1.81坪） ヘロン法・1三角形"));

  f.StringGrid1ToggleArea(1);
  f.FormClose();
  // The lines a reader without the block knows stay as they were.
  EXPECT_EQ(ReadBytes(folder.SettingsPath()),
            SjisLines(Triangle345({"#horune", "area.exclude=3"})));
}

TEST_F(AreaForm, TheMenuSetsMethodTableAndUnitAndTheyAreKept) {
  WriteLines(folder.SettingsPath(), Triangle345({}));
  TForm1& f = Start();
  auto checks = [&f] {
    std::vector<bool> out;
    for (const TForm1::TAreaMenuItem& i : f.AreaMenu()) out.push_back(i.Checked);
    return out;
  };
  EXPECT_EQ(checks(), (std::vector<bool>{true, false, false, false, false, false, true, false,
                                         false, false, false}));
  // Nothing computed yet: no outline to list, and the menu says so.
  EXPECT_FALSE(f.AreaMenu()[2].Enabled);
  EXPECT_EQ(f.AreaMenu()[2].Text, Sjis("座標法（座標求積表）：数える三角形がありません(&Z)"));
  f.AreaMenuChoose(1);
  EXPECT_EQ(ui.AreaText, Sjis("敷地面積 6.00㎡（1.81坪） 三斜法・1三角形"));
  EXPECT_EQ(f.Outline.CircleCount, 0);
  f.AreaMenuChoose(3);
  EXPECT_EQ(f.Outline.CircleCount, 1);
  f.AreaMenuChoose(8);
  f.AreaMenuChoose(9);
  EXPECT_EQ(checks(), (std::vector<bool>{false, true, false, true, false, false, false, false, true,
                                         true, false}));
  f.AreaMenuChoose(2);
  EXPECT_EQ(ui.AreaText, Sjis("敷地面積 6.00㎡（1.81坪） 座標法・3点"));
  f.AreaMenuChoose(10);
  ASSERT_TRUE(ui.Clipboard);
  EXPECT_THAT(Utf8FromSjis(ui.Clipboard->Sjis),
              EndsWith("\t12.00\r\n面積\t\t\t\t6.00\r\n敷地面積(㎡)\t6.00\r\n坪\t1.81\r\n"));
  f.FormClose();
  EXPECT_THAT(ReadBytes(folder.SettingsPath()),
              EndsWith(SjisLines({"#horune", "area.table=1", "area.method=coordinates",
                                  "area.round=up", "area.tsubo=1"})));
}

// The answer's texts in order, as UTF-8.
std::vector<std::string> AnswerTexts() {
  std::vector<std::string> out;
  for (const TJwwEntText& t : JwwStore.Texts) out.push_back(Utf8FromSjis(t.Text));
  return out;
}

TEST_F(AreaForm, OkSendsTheAreaTableAsTheReaderReadsItBack) {
  struct Case {
    const char* method;
    std::vector<std::string> texts;
    int heights;
    size_t circles;
  };
  const Case cases[] = {
      {"heron",
       {"1",     "2",        "3",    "1",        "3.000",
        "4.000", "5.000",    "番号", "a",        "b",
        "c",     "面積",     "1",    "3.000",    "4.000",
        "5.000", "6.000000", "合計", "6.000000", "敷地面積 6.00㎡"},
       0,
       1},
      {"base-height",
       {"1", "2", "3", "1", "5.000", "2.400", "番号", "底辺", "高さ", "倍面積", "1", "5.000",
        "2.400", "12.000000", "合計", "12.000000", "面積", "6.000000", "敷地面積 6.00㎡"},
       1,
       1},
      {"coordinates",
       {"1",     "2",     "3",         "点",
        "X",     "Y",     "Yn+1-Yn-1", "Xn(Yn+1-Yn-1)",
        "1",     "0.000", "0.000",     "-4.000",
        "0.00",  "2",     "3.000",     "0.000",
        "4.000", "12.00", "3",         "0.000",
        "4.000", "0.000", "0.00",      "倍面積",
        "12.00", "面積",  "6.00",      "敷地面積 6.00㎡"},
       0,
       0},
  };
  for (const Case& c : cases) {
    folder.WriteHostFile();
    WriteLines(folder.SettingsPath(),
               Triangle345({"#horune", "area.table=1", std::string("area.method=") + c.method}));
    TForm1& f = Start();
    f.Edit1Exit();
    const size_t shown = JwwStore.Order.size();
    f.Button1Click();
    f.FormClose();

    InitStore();
    ASSERT_TRUE(LoadJwcTemp(folder.JwcTempPath()));
    EXPECT_EQ(JwwStore.Order.size(), shown) << c.method;  // the preview showed all of it
    EXPECT_THAT(AnswerTexts(), ElementsAreArray(c.texts)) << c.method;
    ASSERT_EQ(JwwStore.Circles.size(), c.circles);
    if (c.circles > 0) {
      EXPECT_NEAR(JwwStore.Circles[0].CX, 1000, 1e-6);
      EXPECT_NEAR(JwwStore.Circles[0].CY, 4000.0 / 3, 1e-6);
    }
    const auto dotted =
        std::count_if(JwwStore.Lines.begin(), JwwStore.Lines.end(),
                      [](const TJwwEntLine& l) { return l.Head.LineType == kHeightLineType; });
    EXPECT_EQ(dotted, c.heights) << c.method;
    // The table lies right of the outline, two text heights away, its top
    // level with the outline's; the text kind 3 (3 mm) at scale 1:100.
    double left = 1e300, top = -1e300;
    for (const TJwwEntLine& l : JwwStore.Lines) {
      if (l.X1 > 3000) left = std::min(left, l.X1), top = std::max(top, l.Y1);
    }
    EXPECT_NEAR(left, 3000 + 2 * 300, 1e-6) << c.method;
    EXPECT_NEAR(top, 4000, 1e-6) << c.method;
    FreeStore();
  }
}

}  // namespace
