// Form1's lifecycle, buttons and table files, driven through the fake front
// end: start-up, close, OK, cancel, clear, open and save.
#include "app/tform1.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/sjis.h"
#include "exchange/store.h"
#include "formtest.h"
#ifndef _WIN32
#include "tests/common/file_size_limit.h"
#endif

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(SettingsPath, IsTheProgramPathWithTheExtensionDat) {
  const std::pair<const char*, const char*> cases[] = {
      {"/opt/tool/horune", "/opt/tool/horune.dat"},
      {"/opt/tool/rn52.exe", "/opt/tool/rn52.dat"},
      {"/opt/v1.2/rn52.v2.bin", "/opt/v1.2/rn52.v2.dat"},
  };
  for (const auto& [program, settings] : cases) {
    FakeFrontEnd ui;
    EXPECT_EQ(TForm1(ui, program).SettingsPath(), settings);
  }
}

class StartUp : public FormTest {};

TEST_F(StartUp, WithoutSettingsOpensAtTheDefaults) {
  folder.WriteHostFile();
  TForm1& f = Start();
  EXPECT_EQ(ui.Window, (TBounds{0, 0, 475, 475}));
  EXPECT_EQ(ui.Caption, Sjis("ホルネ【実寸モード】"));
  EXPECT_EQ(ui.Status(), Sjis("【画面操作】マウス左ドラッグ／ペンでの拡大縮小移動が出来ます"));
  EXPECT_EQ(ui.Edit1, "");
  EXPECT_EQ(ui.Edit2, "");
  EXPECT_EQ(ui.Focused, EditId::Edit1);
  EXPECT_TRUE(f.Preview.FormKeyDown(NavKey::PageUp, false)) << "the view keys act";
  EXPECT_EQ(f.Outline.Total(), 0);
}

TEST_F(StartUp, WithSettingsTakesBoundsEditsAndTable) {
  folder.WriteHostFile(true);
  WriteLines(folder.SettingsPath(), {"100", "80", "600", "400", "", "10", "90", "2", "1", "6", "2",
                                     "8", "0", "　1", "5", "3", "5", "1"});
  TForm1& f = Start();
  EXPECT_EQ(ui.Window, (TBounds{100, 80, 600, 400}));
  EXPECT_EQ(ui.Caption, Sjis("ホルネ【図寸モード】"));
  EXPECT_EQ(ui.Edit1, "10");
  EXPECT_EQ(ui.Edit2, "90");
  EXPECT_EQ(f.Cells().Cell(1, 2), Sjis("　1"));
  EXPECT_EQ(f.Cells().Cell(5, 2), "1");
  EXPECT_EQ(f.Cells().Cell(1, 3), "");
  // Start-up shows the host's drawing; nothing is computed yet.
  EXPECT_EQ(f.Outline.Total(), 0);
  ASSERT_EQ(JwwStore.Texts.size(), 1u);
  EXPECT_EQ(JwwStore.Texts[0].Text, Sjis("道路"));
}

TEST_F(StartUp, ResizingHoldsTheWindowToItsLeastSize) {
  folder.WriteHostFile();
  TForm1& f = Start();
  ui.Window = {5, 6, 300, 100};
  f.FormResize();
  EXPECT_EQ(f.WinWidth, 475);
  EXPECT_EQ(f.WinHeight, 200);
}

class Answer : public FormTest {
 protected:
  void SetUp() override { folder.WriteHostFile(); }
  // Types point 2 at (10, 0) and one row giving point 3 at (3.6, 4.8).
  void ComputeTriangle() {
    ui.Edit1 = "10";
    form->Edit1Exit();
    form->Cells().SetRows({TTableRow{"1", "6", "2", "8", "0"}});
    form->StringGrid1SelectCell(1, 2, 1);
  }
  std::string AnswerFile() const { return ReadBytes(folder.JwcTempPath()); }
};

TEST_F(Answer, OkAfterAComputationSendsTheOutline) {
  Start();
  ComputeTriangle();
  form->Button1Click();
  EXPECT_EQ(ui.Closes, 1);
  EXPECT_EQ(ui.Status(), Sjis("ファイル生成中です"));
  form->FormClose();
  EXPECT_EQ(AnswerFile(), SjisLines({"hd", "lg1", "ly3", "pn2", "lw0", "pt 0 0", "cn3", "cc0",
                                     "cn\"$ＭＳ ゴシック", "ch 0 0 1 0 \"1", "lc2", "lt1",
                                     "0 0 10 0", "pt 10 0", "ch 10 0 1 0 \"2", "0 0 3.6 4.8",
                                     "10 0 3.6 4.8", "pt 3.6 4.8", "ch 3.6 4.8 1 0 \"3"}));
}

// The focus back in the edit it left for a dialog, a menu or another
// program has not left it; a move to another control of the window has.
TEST_F(Answer, LeavingAnEditForAnotherControlComputes) {
  using C = ControlId;
  const struct {
    std::vector<ControlId> focused;
    bool computes;
  } cases[] = {
      {{C::Edit1, C::Edit1}, false},       {{C::Edit1, C::Edit2}, true},
      {{C::Edit2, C::StringGrid1}, true},  {{C::Edit1, C::Button3}, true},
      {{C::StringGrid1, C::Edit1}, false}, {{C::Button4, C::Edit2, C::Edit2}, false},
  };
  for (const auto& c : cases) {
    Start();
    ui.Edit1 = "10";
    for (const ControlId id : c.focused) form->ControlFocused(id);
    EXPECT_EQ(form->Outline.Total() > 0, c.computes) << static_cast<int>(c.focused.back());
  }
}

TEST_F(Answer, OkWithoutAComputationSendsTheMessage) {
  Start();
  form->Button1Click();
  form->FormClose();
  EXPECT_EQ(AnswerFile(), SjisLines({"h#ペン作図は行いませんでした。"}));
}

TEST_F(Answer, CancelAnswersHqAndKeepsTheTableAndBounds) {
  Start();
  ComputeTriangle();
  form->Button2Click();
  EXPECT_EQ(ui.Closes, 1);
  ui.Window = {7, 8, 500, 420};
  form->FormClose();
  EXPECT_EQ(AnswerFile(), "hq\r\n");
  EXPECT_GT(ui.Commits, 0);
  const TTableFile s = ParseTableFile(ReadBytes(folder.SettingsPath()));
  EXPECT_EQ(s.Edit1, "10");
  EXPECT_THAT(s.Rows, ElementsAre(TTableRow{"1", "6", "2", "8", "0"}));
  EXPECT_EQ((TBounds{s.WinLeft, s.WinTop, s.WinWidth, s.WinHeight}), (TBounds{7, 8, 500, 420}));
  EXPECT_THAT(JwwStore.Order, IsEmpty());
}

// What a redraw draws from its last frame on, but for pen and brush changes.
std::vector<std::string> LastPicture(const std::vector<std::string>& lines) {
  size_t from = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].starts_with("Rectangle 0 0 ")) from = i;
  }
  std::vector<std::string> out;
  for (size_t i = from; i < lines.size(); ++i) {
    if (!lines[i].starts_with("Set")) out.push_back(lines[i]);
  }
  return out;
}

// A redraw reads the store and the view in slices, its texts partly on a
// second thread. Whatever changes either between two slices, the redraw
// that follows draws what a whole redraw of the new ones draws. A drawing
// with more texts than a block of the store, and a computation that empties
// them (point 2 not typed yet), once left the walk reading past their end.
TEST_F(Answer, WhatChangesTheStoreOrTheViewMidRedrawIsWhatTheRedrawDraws) {
  const std::pair<const char*, void (*)(TForm1&)> actions[] = {
      {"computation", [](TForm1& f) { f.Edit1Exit(); }},
      {"clear", [](TForm1& f) { f.Button3Click(); }},
      {"OK", [](TForm1& f) { f.Button1Click(); }},
      {"wheel", [](TForm1& f) { f.Preview.ZoomAt(50, 60, 2.0); }},
      {"fit", [](TForm1& f) { f.Preview.FitView(); }},
      {"resize", [](TForm1& f) { f.FormResize(); }},
      {"band", [](TForm1& f) { f.Preview.ZoomToBox(0, 0, 1, 1); }},
  };
  std::vector<std::string> host = HostFile(false);
  for (int i = 0; i < 1500; ++i) host.push_back("ch " + std::to_string(i % 40) + " 0 1 0 \"A");
  WriteLines(folder.JwcTempPath(), host);
  ui.Preview.OffersLayer = true;
  ui.Preview.LayerGlyphTime = std::chrono::milliseconds(1);
  for (const auto& [name, act] : actions) {
    Start();
    ui.Answers.push_back(true);
    form->Preview.RedrawSlice = {};
    form->Preview.RedrawView();
    while (form->Preview.RedrawPending() && ui.Preview.LinesStartingWith("TextOut").size() < 20) {
      form->Preview.ContinueRedraw();
    }
    ASSERT_TRUE(form->Preview.RedrawPending()) << name;
    ui.PaintBox.Width += 10;
    act(*form);
    for (int slice = 0; form->Preview.RedrawPending() && slice < 100000; ++slice)
      form->Preview.ContinueRedraw();
    const std::vector<std::string> sliced = LastPicture(ui.Preview.Lines());
    form->Preview.RedrawSlice = std::chrono::hours(1);
    form->Preview.RedrawView();
    EXPECT_EQ(sliced, LastPicture(ui.Preview.Lines())) << name;
    ui.PaintBox.Width -= 10;
  }
}

// Neither failure may pass without a word: the outline of an answer that
// could not be written, or a table the user meant to keep.
TEST_F(Answer, WritesThatFailAreToldAndTheAnswerEndsTheRunAsFailed) {
  Start();
  ComputeTriangle();
  ui.Chosen.push_back(folder.JwcTempPath().parent_path() / "gone" / "a.dlist");
  form->Button5Click();
  ASSERT_EQ(ui.Errors.size(), 1u);
  EXPECT_EQ(form->ExitCode(), 0);

  std::filesystem::create_directory(folder.SettingsPath());  // in the way, even of root
  std::filesystem::remove(folder.JwcTempPath());
  std::filesystem::create_directory(folder.JwcTempPath());  // in the answer's way
  form->Button1Click();
  form->FormClose();
  ASSERT_EQ(ui.Errors.size(), 3u) << "the answer is written after the settings failed";
  EXPECT_EQ(ui.Errors[1], Sjis("設定ファイル horune.dat に表を保存できませんでした。"
                               "入力した表は次回に残りません。"));
  EXPECT_EQ(form->ExitCode(), 1);
}

// OK computes first what was typed since the last computation: here a
// point-2 distance whose box was not left (Alt+Y).
TEST_F(Answer, OkSendsTheTableAsShown) {
  Start();
  ComputeTriangle();
  ui.Edit1 = "14";
  form->Button1Click();
  form->FormClose();
  EXPECT_THAT(AnswerFile(), HasSubstr("pt 14 0\r\n"));
}

class TableFiles : public FormTest {
 protected:
  void SetUp() override {
    WriteLines(folder.SettingsPath(),
               {"20", "30", "500",  "400", "",  "10", "0", "3", "1", "6", "2", "8",
                "0",  "1",  "　6 ", "2",   "8", "1",  "2", "9", "3", "7", ""});
  }

  const std::vector<TTableRow> rows =
      SjisRows({{"1", "6", "2", "8", "0"}, {"1", "　6 ", "2", "8", "1"}, {"2", "9", "3", "7", ""}});
};

TEST_F(TableFiles, SaveThenOpenRestoresTheTableButNotTheBounds) {
  Start();
  const auto path = folder.Path("敷地.dlist");
  ui.Chosen = {path, path};
  form->Button5Click();
  EXPECT_EQ(form->LastTableFile, path);
  const TTableFile file = ParseTableFile(ReadBytes(path));
  EXPECT_EQ(file.LastTableFile, Sjis(path.string()));
  EXPECT_EQ(file.WinLeft, 20);

  form->Cells().SetRows(SjisRows({{"4", "4", "4", "4", "4"}}));
  ui.Edit1 = "99";
  ui.Window = {20, 30, 700, 500};
  form->FormResize();
  form->Button4Click();
  EXPECT_EQ(ui.Edit1, "10");
  EXPECT_EQ(ui.Edit2, "0");
  const std::vector<TTableRow>& now = form->Cells().Rows();
  EXPECT_TRUE(std::equal(rows.begin(), rows.end(), now.begin()));
  EXPECT_EQ(now[3], TTableRow{});
  EXPECT_EQ(form->WinLeft, 20);
  EXPECT_EQ(form->WinWidth, 700);
  EXPECT_EQ(form->LastTableFile, path);
  EXPECT_EQ(ui.DialogStarts, (std::vector<std::filesystem::path>{{}, path}));
}

TEST_F(TableFiles, OpeningAShorterTableEmptiesTheRowsBelow) {
  const auto path = folder.Path("short.dlist");
  WriteLines(path, {"0", "0", "475", "475", "", "5", "45", "1", "1", "5", "2", "5", "0"});
  Start();
  ui.Chosen = {path};
  form->Button4Click();
  EXPECT_EQ(JwwStore.Points.size(), 3u) << "the table opened is computed";
  EXPECT_EQ(form->Cells().Rows()[0], (TTableRow{"1", "5", "2", "5", "0"}));
  EXPECT_EQ(form->Cells().Rows()[1], TTableRow{});
  EXPECT_EQ(ui.Edit2, "45");
}

TEST_F(TableFiles, CancellingADialogChangesNothing) {
  Start();
  form->Button4Click();
  form->Button5Click();
  EXPECT_EQ(ui.Edit1, "10");
  EXPECT_TRUE(form->LastTableFile.empty());
  EXPECT_EQ(ui.DialogStarts.size(), 2u);
}

TEST_F(TableFiles, ClearAsksFirst) {
  Start();
  form->Edit1Exit();
  ASSERT_GT(form->Outline.Total(), 0);

  ui.Answers = {false};
  form->Button3Click();
  EXPECT_EQ(ui.Questions, std::vector<std::string>{Sjis("各値をクリアします。よろしいですか？")});
  EXPECT_EQ(ui.Edit1, "10");
  EXPECT_EQ(form->Cells().Rows()[0], rows[0]);

  ui.Answers = {true};
  form->ControlFocused(ControlId::StringGrid1);
  form->ControlFocused(ControlId::Button3);
  form->Button3Click();
  EXPECT_EQ(ui.FocusedControl, ControlId::StringGrid1) << "back where the user was typing";
  EXPECT_EQ(ui.Edit1, "");
  EXPECT_EQ(ui.Edit2, "0");
  EXPECT_EQ(form->Cells().Rows()[0], TTableRow{});
  EXPECT_EQ(form->Outline.Total(), 0);
  EXPECT_TRUE(JwwStore.Order.empty());
}

// A file size limit stands in for a full disk on POSIX systems only.
#ifndef _WIN32
TEST_F(TableFiles, AFailedSaveKeepsTheOldFile) {
  Start();
  const std::string before = ReadBytes(folder.SettingsPath());
  form->Cells().SetRows(std::vector<TTableRow>(50, TTableRow{"1", "12345", "2", "12345", "0"}));
  {
    const FileSizeLimit limit(before.size() + 10);
    EXPECT_FALSE(form->SaveTableFile(folder.SettingsPath()));
  }
  EXPECT_EQ(ReadBytes(folder.SettingsPath()), before);
  size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder.SettingsPath().parent_path())) {
    files += e.is_regular_file();
  }
  EXPECT_EQ(files, 1u);
}
#endif

}  // namespace
