// Tests of the settings and table file format, both ways.
#include "exchange/tablefile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/sjis.h"

namespace {

using ::testing::ElementsAre;

// Joins lines with CR LF after each, as the files are written.
std::string Crlf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

TTableRow Row(const char* a, const char* b, const char* c, const char* d, const char* e) {
  return {a, b, c, d, e};
}

TEST(ParseTableFile, ReadsEveryLineInItsPlace) {
  const TTableFile t =
      ParseTableFile(Crlf({"-12", "34", "800", "600", Sjis("C:\\図面\\a.dlist"), "10.5", "90", "2",
                           "1", "6", "2", "8", "0", "1", "5", "3", "5", "1"}));
  EXPECT_EQ(t.WinLeft, -12);
  EXPECT_EQ(t.WinTop, 34);
  EXPECT_EQ(t.WinWidth, 800);
  EXPECT_EQ(t.WinHeight, 600);
  EXPECT_EQ(t.LastTableFile, Sjis("C:\\図面\\a.dlist"));
  EXPECT_EQ(t.Edit1, "10.5");
  EXPECT_EQ(t.Edit2, "90");
  EXPECT_THAT(t.Rows, ElementsAre(Row("1", "6", "2", "8", "0"), Row("1", "5", "3", "5", "1")));
}

TEST(ParseTableFile, RaisesSmallBoundsToTheWindowMinimum) {
  struct Case {
    const char* width;
    const char* height;
    int32_t wantWidth;
    int32_t wantHeight;
  };
  for (const Case& c : {Case{"300", "400", 475, 400}, Case{"100", "50", 475, 200},
                        Case{"", "", 475, 200}, Case{"abc", "-5", 475, 200},
                        Case{"475", "200", 475, 200}, Case{"1200", "900", 1200, 900}}) {
    const TTableFile t = ParseTableFile(Crlf({"0", "0", c.width, c.height}));
    EXPECT_EQ(t.WinWidth, c.wantWidth) << c.width;
    EXPECT_EQ(t.WinHeight, c.wantHeight) << c.height;
  }
}

TEST(ParseTableFile, ShortFileReadsEmptyTextsAndNoRows) {
  for (const std::string& bytes : {std::string(), std::string("5\r\n6"), Crlf({"1", "2", "3"})}) {
    const TTableFile t = ParseTableFile(bytes);
    EXPECT_EQ(t.LastTableFile, "");
    EXPECT_EQ(t.Edit1, "");
    EXPECT_EQ(t.Edit2, "");
    EXPECT_TRUE(t.Rows.empty());
  }
}

TEST(ParseTableFile, AcceptsEveryLineEnd) {
  for (const char* eol : {"\r\n", "\n", "\r"}) {
    std::string bytes;
    for (const char* l : {"1", "2", "500", "300", "", "7", "45", "1", "1", "2", "3", "4", "5"}) {
      bytes += std::string(l) + eol;
    }
    const TTableFile t = ParseTableFile(bytes);
    EXPECT_EQ(t.WinTop, 2) << eol;
    EXPECT_EQ(t.Edit1, "7") << eol;
    EXPECT_EQ(t.Edit2, "45") << eol;
    EXPECT_THAT(t.Rows, ElementsAre(Row("1", "2", "3", "4", "5"))) << eol;
  }
}

TEST(ParseTableFile, RowsPastTheEndAreEmpty) {
  const TTableFile t = ParseTableFile(Crlf({"0", "0", "475", "475", "", "", "", "3", "1", "2"}));
  EXPECT_THAT(t.Rows, ElementsAre(Row("1", "2", "", "", ""), Row("", "", "", "", ""),
                                  Row("", "", "", "", "")));
}

TEST(ParseTableFile, RowCountIsHeldToTheTable) {
  EXPECT_EQ(ParseTableFile(Crlf({"0", "0", "0", "0", "", "", "", "-4"})).Rows.size(), 0u);
  EXPECT_EQ(ParseTableFile(Crlf({"0", "0", "0", "0", "", "", "", "2147483647"})).Rows.size(),
            static_cast<size_t>(kTableRows));

  std::vector<std::string> lines = {"0", "0", "0", "0", "", "", "", "10000"};
  for (int r = 1; r <= 10000; ++r) {
    for (int c = 0; c < 5; ++c) lines.push_back(std::to_string(r));
  }
  const TTableFile t = ParseTableFile(Crlf(lines));
  ASSERT_EQ(t.Rows.size(), static_cast<size_t>(kTableRows));
  EXPECT_EQ(t.Rows.back(), Row("9998", "9998", "9998", "9998", "9998"));
}

TEST(ParseTableFile, KeepsBytesAsTheyAre) {
  const std::string spaced = Sjis("　1 ");
  const std::string odd = "\x81";  // a lone lead byte
  const TTableFile t =
      ParseTableFile(Crlf({"0", "0", "0", "0", "", spaced, odd, "1", spaced, "", "\t", "", ""}));
  EXPECT_EQ(t.Edit1, spaced);
  EXPECT_EQ(t.Edit2, odd);
  EXPECT_EQ(t.Rows[0][0], spaced);
  EXPECT_EQ(t.Rows[0][2], "\t");
}

TEST(IsBlankRow, BlanksOfEveryKindCount) {
  EXPECT_TRUE(IsBlankRow(Row("", "", "", "", "")));
  EXPECT_TRUE(IsBlankRow(Row(" ", "", "\t", "", "")));
  EXPECT_TRUE(IsBlankRow(TTableRow{Sjis("　　"), "", "", "", Sjis("　")}));
  EXPECT_FALSE(IsBlankRow(Row("", "", "", "", "0")));
  EXPECT_FALSE(IsBlankRow(TTableRow{"", Sjis("エラー"), "", "", ""}));
}

TEST(FormatTableFile, WritesTheLinesExactly) {
  TTableFile t;
  t.WinLeft = -8;
  t.WinTop = 20;
  t.WinWidth = 660;
  t.WinHeight = 539;
  t.LastTableFile = Sjis("/home/利用者/敷地.dlist");
  t.Edit1 = "10";
  t.Edit2 = "";
  t.Rows = {Row("1", "6", "2", "8", "0"), Row("2", " 3", "", "", "")};
  EXPECT_EQ(FormatTableFile(t),
            Crlf({"-8", "20", "660", "539", Sjis("/home/利用者/敷地.dlist"), "10", "", "2", "1",
                  "6", "2", "8", "0", "2", " 3", "", "", ""}));
}

TEST(FormatTableFile, SavesOnlyTheLeadingRunOfRows) {
  TTableFile t;
  t.Rows = {Row("1", "5", "2", "5", "0"), Row("", "", "", "", ""), Row("1", "6", "2", "8", "1")};
  EXPECT_EQ(FormatTableFile(t),
            Crlf({"0", "0", "475", "475", "", "", "", "1", "1", "5", "2", "5", "0"}));

  t.Rows[0] = TTableRow{Sjis("　"), "", "", "", ""};
  EXPECT_EQ(FormatTableFile(t), Crlf({"0", "0", "475", "475", "", "", "", "0"}));
}

TEST(FormatTableFile, AValueNeverSpillsOntoTheNextLine) {
  TTableFile t;
  t.LastTableFile = "/tmp/a\nb.dlist";
  t.Edit1 = "15000\r\n";
  t.Edit2 = "0\r90";
  t.Rows = {Row("1", "6\n7", "2", "8", "0")};
  EXPECT_EQ(FormatTableFile(t),
            Crlf({"0", "0", "475", "475", "/tmp/a", "15000", "0", "1", "1", "6", "2", "8", "0"}));
}

TEST(FormatTableFile, ParsingTheBytesGivesTheTableBack) {
  TTableFile t;
  t.WinLeft = 3;
  t.WinTop = -4;
  t.WinWidth = 700;
  t.WinHeight = 500;
  t.LastTableFile = "x.dlist";
  t.Edit1 = Sjis(" 12.5　");
  t.Edit2 = "-30";
  t.Rows.assign(kTableRows, TTableRow{});
  t.Rows[0] = Row("1", "6", "2", "8", "0");
  t.Rows[1] = TTableRow{"2", Sjis("エラー"), "3 ", "", Sjis("　1")};
  const TTableFile back = ParseTableFile(FormatTableFile(t));
  EXPECT_EQ(back.WinLeft, 3);
  EXPECT_EQ(back.WinTop, -4);
  EXPECT_EQ(back.WinWidth, 700);
  EXPECT_EQ(back.WinHeight, 500);
  EXPECT_EQ(back.LastTableFile, t.LastTableFile);
  EXPECT_EQ(back.Edit1, t.Edit1);
  EXPECT_EQ(back.Edit2, t.Edit2);
  EXPECT_THAT(back.Rows, ElementsAre(t.Rows[0], t.Rows[1]));
}

// The file on disk: written and read back, a missing one reads as nothing and
// a failed save keeps the file it was to replace.
TEST(TableFileOnDisk, SavesReadsAndKeepsTheOldOnFailure) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / "horune-tablefile-on-disk";
  std::filesystem::create_directories(dir);
  TTableFile t;
  t.Edit1 = "12.5";
  t.Rows = {Row("1", "6", "2", "8", "0")};
  ASSERT_TRUE(WriteTableFile(dir / "a.dlist", t));
  const std::optional<TTableFile> back = ReadTableFile(dir / "a.dlist");
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->Edit1, "12.5");
  EXPECT_THAT(back->Rows, ElementsAre(t.Rows[0]));
  EXPECT_FALSE(ReadTableFile(dir / "missing.dlist").has_value());
  EXPECT_FALSE(ReadTableFile(dir).has_value());

  t.Edit1 = "99";
  EXPECT_FALSE(WriteTableFile(dir / "gone" / "a.dlist", t));
  std::filesystem::create_directories(dir / "b.dlist" / "busy");  // a folder at the name
  EXPECT_FALSE(WriteTableFile(dir / "b.dlist", t));
  EXPECT_EQ(ReadTableFile(dir / "a.dlist")->Edit1, "12.5");
  std::filesystem::remove_all(dir);
}

}  // namespace

namespace {

TEST(TableFileBlock, FollowsTheRowsAndKeepsTheirLinesAsBefore) {
  TTableFile t;
  t.Edit1 = "15000";
  t.Rows = {Row("1", "6", "2", "8", "0"), Row("", "", "", "", ""), Row("1", "5", "3", "5", "1")};
  const std::string without = FormatTableFile(t);
  t.Options = {{"area.table", "1"}, {"later.name", "a=b"}, {"bad=name", "x"}, {"", "y"}};
  const std::string with = FormatTableFile(t);
  // Lines 1 to 8 + 5N as a reader without the block knows them, then the block.
  EXPECT_EQ(with, without + Crlf({"#horune", "area.table=1", "later.name=a=b"}));
  EXPECT_EQ(ParseTableFile(with).Options,
            (TTableOptions{{"area.table", "1"}, {"later.name", "a=b"}}));
}

TEST(TableFileBlock, IsReadOnlyRightAfterTheRows) {
  struct Case {
    std::vector<std::string> lines;
    TTableOptions options;
  };
  const std::vector<std::string> head = {"0", "0", "475", "475", "", "10", "0"};
  auto file = [&head](std::vector<std::string> rest) {
    std::vector<std::string> lines = head;
    lines.insert(lines.end(), rest.begin(), rest.end());
    return lines;
  };
  const Case cases[] = {
      {file({"1", "1", "6", "2", "8", "0", "#horune", "area.method=base-height", "no value", "=x",
             "area.exclude=4,7"}),
       {{"area.method", "base-height"}, {"area.exclude", "4,7"}}},
      {file({"0", "#horune", "area.table=1"}), {{"area.table", "1"}}},
      // Without the mark the lines after the rows are nobody's.
      {file({"0", "area.table=1"}), {}},
      // The mark inside the rows is a cell.
      {file({"1", "#horune", "area.table=1", "2", "8", "0"}), {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseTableFile(Crlf(c.lines)).Options, c.options) << c.lines[7];
  }
  // Rows beyond the table's last are passed over to reach the block.
  std::vector<std::string> big = file({"9999"});
  for (int i = 0; i < 9999 * 5; ++i) big.push_back("1");
  big.insert(big.end(), {"#horune", "area.unit=m"});
  EXPECT_EQ(ParseTableFile(Crlf(big)).Options, (TTableOptions{{"area.unit", "m"}}));
}

}  // namespace
