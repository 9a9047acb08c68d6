#include "exchange/writeback.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/escape.h"
#include "common/sjis.h"
#include "exchange/store.h"
#include "exchange/writer.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using Lines = std::vector<std::string>;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

// A store as after reading, and an own folder for the files of each test.
class WriteBackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitStore();
    ResetCurrentAttributes();
    dir_ = fs::temp_directory_path() /
           ("horune-writeback-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    SetEscapeQuery(nullptr);
    fs::remove_all(dir_);
  }

  // Adds n lines on layer group 1, layer 2, one after the other.
  static void AddLines(int n) {
    JwwStore.Current.LayerGroup = 1;
    JwwStore.Current.Layer = 2;
    for (int i = 0; i < n; ++i) AddLine(i, 0, i + 1, 0);
    ResetCurrentAttributes();
  }

  static void WriteAllKeepingOwn(const WriteProgress& progress = {}) {
    WriteAll(-1, -1, -1, -1, -1, -1, -1, 0, progress);
  }

  fs::path dir_;
};

TEST_F(WriteBackTest, EmptyOrderIndexQueuesBzAndTheRestoringLayer) {
  JwwStore.DrawingSizeMode = true;
  JwwStore.Initial.LayerGroup = 11;
  JwwStore.Initial.Layer = 4;
  WriteAllKeepingOwn();
  EXPECT_THAT(JwwStore.Output, ElementsAre("bz", "lgB", "ly4"));
}

TEST_F(WriteBackTest, RestoresTheInitialLayerOnlyWhenItChanged) {
  AddLines(2);
  JwwStore.Initial.LayerGroup = 1;
  JwwStore.Initial.Layer = 2;
  WriteAllKeepingOwn();
  EXPECT_THAT(JwwStore.Output,
              ElementsAre("lg1", "ly2", "lc1", "lt1", "lw0", "0 0 1 0", "1 0 2 0"));

  InitStore();
  ResetCurrentAttributes();
  AddLines(1);
  QueueLine("hd");
  WriteAllKeepingOwn();
  EXPECT_THAT(JwwStore.Output,
              ElementsAre("hd", "lg1", "ly2", "lc1", "lt1", "lw0", "0 0 1 0", "lg0", "ly0"));
}

TEST_F(WriteBackTest, ProgressEvery100Entries) {
  AddLines(250);
  Lines shown;
  WriteAllKeepingOwn([&shown](const std::string& text) { shown.push_back(text); });
  EXPECT_THAT(shown,
              ElementsAre(Sjis("処理中(ESC:中断)：1／250"), Sjis("処理中(ESC:中断)：101／250"),
                          Sjis("処理中(ESC:中断)：201／250")));
}

TEST_F(WriteBackTest, EscapeIsPolledEvery100Entries) {
  AddLines(250);
  int polls = 0;
  SetEscapeQuery([&polls] {
    ++polls;
    return false;
  });
  WriteAllKeepingOwn();
  EXPECT_EQ(polls, 3);
  EXPECT_EQ(JwwStore.Output.size(), 5u + 250u + 2u);
}

TEST_F(WriteBackTest, EscapeDiscardsTheQueueAndStops) {
  struct Case {
    int pressedAtPoll;
    Lines expected;
  };
  // At the first poll the layer flags are still raised, so the initial layer
  // goes out; later the restoring commands follow the on-change rule.
  const std::vector<Case> cases = {{1, {"lg0", "ly0"}}, {2, {"lg0", "ly0"}}};
  for (const Case& c : cases) {
    InitStore();
    ResetCurrentAttributes();
    AddLines(250);
    QueueLine("hd");
    int polls = 0;
    SetEscapeQuery([&polls, &c] { return ++polls == c.pressedAtPoll; });
    WriteAllKeepingOwn();
    EXPECT_EQ(JwwStore.Output, c.expected) << c.pressedAtPoll;
    EXPECT_EQ(polls, c.pressedAtPoll);
  }
}

TEST_F(WriteBackTest, EscapeOnTheInitialLayerLeavesNothing) {
  AddLines(150);
  JwwStore.Initial.LayerGroup = 1;
  JwwStore.Initial.Layer = 2;
  int polls = 0;
  SetEscapeQuery([&polls] { return ++polls == 2; });
  WriteAllKeepingOwn();
  EXPECT_TRUE(JwwStore.Output.empty());
  const fs::path file = dir_ / "JWC_TEMP.TXT";
  EXPECT_TRUE(SaveJwcTemp(file.string()));
  EXPECT_EQ(ReadAll(file), "hq\r\n");
}

TEST_F(WriteBackTest, SaveJoinsTextLinesWithCrLf) {
  const fs::path file = dir_ / "JWC_TEMP.TXT";
  const std::vector<std::pair<Lines, std::string>> cases = {
      {{}, "hq\r\n"},
      {{"hd", "ch 1 2 1 0 \"", "A B\"", "lc2", "cs 0 0 1 0 \"", "5"},
       "hd\r\nch 1 2 1 0 \"A B\"\r\nlc2\r\ncs 0 0 1 0 \"5\r\n"},
      {{"hd", "ch 1 2 1 0 \""}, "hd\r\nch 1 2 1 0 \""},
      {{"h#" + Sjis("ペン作図は行いませんでした。")},
       "h#" + Sjis("ペン作図は行いませんでした。") + "\r\n"},
  };
  for (const auto& [queue, bytes] : cases) {
    JwwStore.Output = queue;
    EXPECT_TRUE(SaveJwcTemp(file.string()));
    EXPECT_EQ(ReadAll(file), bytes);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(WriteBackTest, SaveWritesALargeQueueWhole) {
  std::string expected;
  for (int i = 0; i < 200000; ++i) {
    const std::string line = std::to_string(i) + " 0 " + std::to_string(i + 1) + " 0";
    QueueLine(line);
    expected += line + "\r\n";
  }
  const fs::path file = dir_ / "JWC_TEMP.TXT";
  EXPECT_TRUE(SaveJwcTemp(file.string()));
  EXPECT_EQ(ReadAll(file), expected);
}

TEST_F(WriteBackTest, UnwritablePlacesFailWithoutLeavingAFile) {
  WriteText(dir_ / "plain", "x");
  fs::create_directory(dir_ / "JWC_TEMP.TXT");
  const std::vector<fs::path> cases = {
      dir_ / "missing" / "JWC_TEMP.TXT",  // no such folder
      dir_ / "plain" / "JWC_TEMP.TXT",    // the folder is a file
      dir_ / "JWC_TEMP.TXT",              // a folder is in the way
  };
  QueueLine("hd");
  for (const fs::path& p : cases) {
    EXPECT_FALSE(SaveJwcTemp(p.string())) << p;
  }
  EXPECT_TRUE(fs::is_directory(dir_ / "JWC_TEMP.TXT"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

TEST_F(WriteBackTest, FullDeviceFailsAndStaysADevice) {
  ASSERT_TRUE(fs::is_character_file("/dev/full"));
  QueueLine("hd");
  EXPECT_FALSE(SaveJwcTemp("/dev/full"));
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

// A file size limit stands in for a disk that fills up in the middle of the
// write: the old file stays whole and no partial file is left.
TEST_F(WriteBackTest, DiskFullMidwayKeepsTheOldFile) {
  const fs::path file = dir_ / "JWC_TEMP.TXT";
  WriteText(file, "hq\r\nold drawing\r\n");
  for (int i = 0; i < 100000; ++i) QueueLine("1234567890 1234567890 1234567890");

  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = SaveJwcTemp(file.string());
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadAll(file), "hq\r\nold drawing\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(WriteBackTest, SetterValueHandling) {
  JwwStore.Initial.LineWidth = 7;
  JwwStore.Initial.FontName = "First";
  const TJwwForceFlags forceBefore = JwwStore.Force;

  SetCurrentLineWidth(-1);
  EXPECT_EQ(JwwStore.Current.LineWidth, 7);
  SetCurrentLineWidth(30001);
  EXPECT_EQ(JwwStore.Current.LineWidth, 0);
  SetCurrentLineWidth(30000);
  EXPECT_EQ(JwwStore.Current.LineWidth, 30000);
  SetCurrentTextAnchor(9);
  EXPECT_EQ(JwwStore.Current.TextAnchor, 0);
  SetCurrentTextAnchor(8);
  EXPECT_EQ(JwwStore.Current.TextAnchor, 8);
  for (const char* name : {"", "<>"}) {
    SetCurrentFont(name);
    EXPECT_EQ(JwwStore.Current.FontName, "First") << name;
  }
  SetCurrentFont("Other");
  EXPECT_EQ(JwwStore.Current.FontName, "Other");

  SetCurrentTextKind(0, 3, 1.5, 2.5, 0.5);
  const TJwwAttributes& c = JwwStore.Current;
  EXPECT_EQ(c.TextKind, 0);
  EXPECT_EQ(c.FreeColor, 3);
  EXPECT_EQ(c.FreeWidth, 1.5);
  EXPECT_EQ(c.FreeHeight, 2.5);
  EXPECT_EQ(c.FreeSpacing, 0.5);
  JwwStore.Initial.TextKind = 0;
  JwwStore.Initial.FreeColor = 4;
  JwwStore.Initial.FreeWidth = 5;
  SetCurrentTextKind(11, 3, 1.5, 2.5, 0.5);
  EXPECT_EQ(c.TextKind, 0);
  EXPECT_EQ(c.FreeColor, 4);
  EXPECT_EQ(c.FreeWidth, 5);
  JwwStore.Initial.TextKind = 6;
  SetCurrentTextKind(-1, 3, 1.5, 2.5, 0.5);
  EXPECT_EQ(c.TextKind, 6);
  EXPECT_EQ(c.FreeColor, 3);

  EXPECT_TRUE(JwwStore.Output.empty());
  EXPECT_EQ(std::memcmp(&forceBefore, &JwwStore.Force, sizeof forceBefore), 0);
}

TEST_F(WriteBackTest, InitialAttributesBecomeCurrent) {
  TJwwInitialAttributes& i = JwwStore.Initial;
  i = {3, 12, 5, 2, 4, 0, 1.5, 2.5, 0.5, 6, "Font"};
  JwwStore.Current.TextAnchor = 7;
  JwwStore.Current.PointColor = 9;
  ApplyInitialAttributes();
  const TJwwAttributes& c = JwwStore.Current;
  EXPECT_EQ(c.LayerGroup, 3);
  EXPECT_EQ(c.Layer, 12);
  EXPECT_EQ(c.LineColor, 5);
  EXPECT_EQ(c.PointColor, 5);
  EXPECT_EQ(c.LineType, 2);
  EXPECT_EQ(c.LineWidth, 4);
  EXPECT_EQ(c.TextKind, 0);
  EXPECT_EQ(c.FreeWidth, 1.5);
  EXPECT_EQ(c.FreeHeight, 2.5);
  EXPECT_EQ(c.FreeSpacing, 0.5);
  EXPECT_EQ(c.FreeColor, 6);
  EXPECT_EQ(c.TextAnchor, 0);
  EXPECT_EQ(c.FontName, "Font");

  // The outline the tool adds carries them.
  AddLine(0, 0, 1, 0);
  EXPECT_EQ(JwwStore.Lines[0].Head.LayerGroup, 3);
  EXPECT_EQ(JwwStore.Lines[0].Head.Layer, 12);
  EXPECT_EQ(JwwStore.Lines[0].Head.Color, 5);
}

}  // namespace
