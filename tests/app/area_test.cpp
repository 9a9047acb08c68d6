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
    for (const TAreaMenuItem& i : f.AreaMenu()) out.push_back(i.Checked);
    return out;
  };
  // The method, the settings, then the checks' (甲二 the default), the
  // road's, the copy and the SIMA file.
  EXPECT_EQ(checks(), (std::vector<bool>{true,  false, false, false, false, false, true,
                                         false, false, false, false, true,  false, false,
                                         false, false, false, false, false, false}));
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
  EXPECT_EQ(checks(), (std::vector<bool>{false, true,  false, true,  false, false, false,
                                         false, true,  true,  false, true,  false, false,
                                         false, false, false, false, false, false}));
  f.AreaMenuChoose(2);
  EXPECT_EQ(ui.AreaText, Sjis("敷地面積 6.00㎡（1.81坪） 座標法・3点"));
  f.AreaMenuChoose(18);
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

// The 12 x 8 m rectangle, each triangle exact: point 3 at (6, 8) m on its
// top side, points 4 and 5 its upper corners; side 1-2 is the 12 m one.
std::vector<std::string> Rectangle(std::vector<std::string> block) {
  std::vector<std::string> lines = {"0",    "0",     "475", "475",   "",  "12000", "0",    "3",
                                    "1",    "10000", "2",   "10000", "0", "1",     "8000", "3",
                                    "6000", "0",     "2",   "8000",  "3", "6000",  "1"};
  lines.insert(lines.end(), block.begin(), block.end());
  return lines;
}

TEST_F(AreaForm, OkSendsTheSiteAreaWithTheRoadsPartsTakenOff) {
  struct Case {
    std::vector<std::string> block;
    std::vector<std::string> tail;  // the answer's last texts: the table's foot
    const char* line;
  };
  const Case cases[] = {
      {{"area.setback=1-2:300"},
       {"実測面積", "96.00", "後退部分", "3.60", "敷地面積", "92.40", "敷地面積 92.40㎡"},
       "敷地面積 92.40㎡（27.95坪） ヘロン法・3三角形（実測 96.00㎡－後退 3.60㎡）"},
      // 3 m at a right angle: 3² / 4 less.
      {{"area.cut=1:3000", "area.cut.out=1"},
       {"実測面積", "96.00", "隅切り", "2.25", "敷地面積", "93.75", "敷地面積 93.75㎡"},
       "敷地面積 93.75㎡（28.35坪） ヘロン法・3三角形（実測 96.00㎡－隅切り 2.25㎡）"},
      {{"area.cut=1:3000"},
       {"実測面積", "96.00", "隅切り", "算入", "2.25", "敷地面積", "96.00", "敷地面積 96.00㎡"},
       "敷地面積 96.00㎡（29.04坪） ヘロン法・3三角形（実測 96.00㎡・隅切り 2.25㎡ 算入）"},
  };
  for (const Case& c : cases) {
    folder.WriteHostFile();
    std::vector<std::string> block = {"#horune", "area.table=1"};
    block.insert(block.end(), c.block.begin(), c.block.end());
    WriteLines(folder.SettingsPath(), Rectangle(block));
    TForm1& f = Start();
    f.Edit1Exit();
    EXPECT_EQ(Utf8FromSjis(ui.AreaText), c.line);
    f.Button1Click();
    f.FormClose();

    InitStore();
    ASSERT_TRUE(LoadJwcTemp(folder.JwcTempPath()));
    const std::vector<std::string> texts = AnswerTexts();
    ASSERT_GE(texts.size(), c.tail.size());
    EXPECT_EQ(std::vector<std::string>(texts.end() - static_cast<long>(c.tail.size()), texts.end()),
              c.tail);
    // The moved line dashed, 0.3 m in, named on the site's side.
    const bool setback = c.block[0] == "area.setback=1-2:300";
    const auto dashed = std::count_if(JwwStore.Lines.begin(), JwwStore.Lines.end(), [](auto& l) {
      return l.Head.LineType == kSetbackLineType && l.X1 == 0 && l.Y1 == 300 && l.X2 == 12000;
    });
    EXPECT_EQ(dashed, setback ? 1 : 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "みなし道路境界線（後退 0.300m）"),
              setback ? 1 : 0);
    FreeStore();
  }
}

TEST_F(AreaForm, TheMenuAsksForTheListsAndSavesTheCornersAsSima) {
  WriteLines(folder.SettingsPath(), Rectangle({}));
  TForm1& f = Start();
  f.Edit1Exit();
  // Typed in mm as the table is: 0.3 mm is no setback, and the box comes
  // again with what it could not read.
  ui.Typed = {Sjis("1-2 0.3"), Sjis("1-2 300"), Sjis("1　3000"), Sjis("1-3 10005"), Sjis("３")};
  for (const size_t item : {15, 16, 17, 10, 13}) f.AreaMenuChoose(item);
  EXPECT_EQ(ui.BoxTexts, (std::vector<std::string>{"", "1-2 0.3", "", "", ""}));
  ASSERT_EQ(ui.Prompts.size(), 5u);
  EXPECT_THAT(Utf8FromSjis(ui.Prompts[1]), ::testing::StartsWith("読めません：1-2 0.3\n"));
  EXPECT_EQ(
      Utf8FromSjis(ui.AreaText),
      "敷地面積 90.15㎡（27.27坪） ヘロン法・3三角形（実測 96.00㎡－後退 3.60㎡－隅切り 2.25㎡）"
      "　検測 1-3 +5mm（許容 3mm）超過");

  // Drawn, the check beyond its tolerance is a red dimension: its line and
  // a stroke across either end.
  f.AreaMenuChoose(14);
  EXPECT_EQ(std::count_if(JwwStore.Lines.begin(), JwwStore.Lines.end(),
                          [](const TJwwEntLine& l) { return l.Head.Color == 8; }),
            3);

  f.LabelAreaCopy();
  ASSERT_TRUE(ui.Clipboard);
  EXPECT_THAT(Utf8FromSjis(ui.Clipboard->Sjis), ::testing::HasSubstr("後退部分\t\t\t\t3.60\r\n"));
  ui.Chosen = {folder.ProgramPath().parent_path() / "site.sim"};
  f.AreaMenuChoose(19);
  EXPECT_EQ(ui.SaveKinds, std::vector<TFileKind>{TFileKind::Sima});
  EXPECT_THAT(ReadBytes(folder.ProgramPath().parent_path() / "site.sim"),
              ::testing::StartsWith(
                  SjisLines({"G00,01,敷地,", "Z00,座標データ,", "A00,", "A01,1,1,0.000,0.000,,"})));
  f.FormClose();
  EXPECT_THAT(ReadBytes(folder.SettingsPath()),
              EndsWith(SjisLines({"area.check=1-3:10005", "area.tolerance=3", "area.check.draw=1",
                                  "area.setback=1-2:300", "area.cut=1:3000", "area.cut.out=1"})));
}

}  // namespace
