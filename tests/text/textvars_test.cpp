// Text variables at fixed local times, with the document context at its
// start values unless a test sets it.
#include "text/textvars.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "text/clock.h"

namespace {

struct Case {
  const char* Name;
  const char* Want;  // UTF-8
};

class TextVarsTest : public ::testing::Test {
 protected:
  void SetUp() override { DocContext = {}; }
  void TearDown() override {
    SetClock({});
    DocContext = {};
  }

  static void At(int h, int m, int s) {
    SetClock([=] { return EncodeDateTime(2026, 1, 5, h, m, s); });
  }

  static void ExpectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
      std::string value;
      EXPECT_TRUE(ExpandTextVariable(c.Name, value)) << c.Name;
      EXPECT_EQ(Utf8FromSjis(value), c.Want) << c.Name;
    }
  }
};

TEST_F(TextVarsTest, NowInEveryFormOnAMorning) {
  At(9, 7, 3);
  ExpectAll({
      {"$y", "26"}, {"&y", "26"},   {"%m", "01"},
      {"&m", " 1"}, {"$d", "5"},    {"&d", " 5"},
      {"%d", "05"}, {"$h", "9"},    {"%H", "09"},
      {"$M", "7"},  {"%S", "03"},   {"$n", "AM"},
      {"$N", "前"}, {"$ma", "JAN"}, {"$wa", "MON"},
      {"%w", "月"}, {"$W", "月"},   {"$j", "2026/ 1/ 5"},
      {"%Y", "08"}, {"$Y", "8"},    {"$J", "令和8年 1月 5日"},
  });
}

TEST_F(TextVarsTest, NoonAndMidnightBothGiveHourZero) {
  At(12, 30, 0);
  ExpectAll({{"$h", "0"}, {"$H", "12"}, {"$n", "PM"}, {"%N", "後"}});
  At(0, 30, 0);
  ExpectAll({{"$h", "0"}, {"&H", " 0"}, {"$n", "AM"}, {"$N", "前"}});
}

TEST_F(TextVarsTest, EraYearStartsAtOneAndFollowsTheCalendar) {
  SetClock([] { return EncodeDateTime(2019, 5, 1, 0, 0, 0); });
  ExpectAll({{"$J", "令和1年 5月 1日"}});
  SetClock([] { return EncodeDateTime(2019, 4, 30, 0, 0, 0); });
  ExpectAll({{"$J", "平成31年 4月30日"}, {"&Y", "31"}});
  SetClock([] { return EncodeDateTime(2005, 3, 9, 0, 0, 0); });
  ExpectAll({{"$y", "5"}, {"&y", " 5"}, {"%y", "05"}});
}

TEST_F(TextVarsTest, DocumentContextAtItsStartValues) {
  ExpectAll({
      {"$F", ""},
      {"%f", ""},
      {"$T", ""},
      {"%m1", ""},
      {"%mm", "･･"},
      {"%f1", "･"},
      {"%f2", ""},
      {"_f", "1899/12/30"},
      {"=F", "1899/12/30 00:00:00"},
      {"_wa", "SAT"},
      {"=ma", "DEC"},
      {"_d", "30"},
      {"=n", "AM"},
      {"%SS", "1/1"},
      {"%ss", "1"},
      {"%SP", "1/1"},
      {"%sp", "1"},
  });
}

TEST_F(TextVarsTest, FileNamePartsNeverSplitACharacter) {
  // The second byte of 表 is the backslash byte: not a folder separator.
  DocContext.DocFileName = Sjis("C:\\図面\\表示.jww");
  DocContext.DocFileTime = EncodeDateTime(2024, 2, 3, 4, 5, 6);
  ExpectAll({
      {"%F", "C:\\図面\\表示.jww"},
      {"%f", "表示.jww"},
      {"&f", "表示"},
      {"%f1", "･"},
      {"%f3", "表"},
      {"%f4", "表示"},
      {"_F", "2024/ 2/ 3 04:05:06"},
      {"=f", "2024/02/03"},
  });
}

TEST_F(TextVarsTest, ScaleTextsAsRatiosAndPlainNumbers) {
  DocContext.DocScale = 0.5;
  DocContext.DocScaleDivisor = 1;
  ExpectAll({{"%SS", "2/1"}, {"%ss", "2"}});
  DocContext.DocScale = 100;
  DocContext.DocScaleDivisor = 4;
  ExpectAll({{"%SS", "1/100"}, {"%ss", "100"}, {"%SP", "1/25"}, {"%sp", "25"}});
}

TEST_F(TextVarsTest, ReplacementTableAndNearMisses) {
  DocContext.ReplaceTable = {{"%%A", "alpha"}, {"%%A", "second"}};
  ExpectAll({{"%%A", "alpha"}, {"%%B", "%%B"}});
  for (const char* name : {"$yy", "x$y", "$", "", "%q", "$F ", "=j", "$f1"}) {
    std::string value = "untouched";
    EXPECT_FALSE(ExpandTextVariable(name, value)) << name;
    EXPECT_EQ(value, "untouched");
  }
}

// Whether a text names a variable is known without the clock, and no date,
// however far, no scale and no text of the document context gives a value
// longer than MostValueBytes says.
TEST_F(TextVarsTest, ValuesNeverOutgrowTheirMostBytes) {
  std::vector<std::string> names = {"%mm", "%m1", "%F",  "%f",  "&f", "%f1", "%ff", "%f0", "%SS",
                                    "%sp", "%%",  "%%A", "$yy", "$",  "=j",  "$JJ", "x$y"};
  for (const char* rest : {"y", "Y", "m", "d", "H", "h", "M", "S", "w", "W", "wa", "ma", "n", "N",
                           "T", "F", "f", "j", "J"}) {
    for (const char prefix : std::string("$&%_=")) names.push_back(prefix + std::string(rest));
  }
  DocContext.DocFileName = DocContext.DocTitle = DocContext.DocMemo2 = std::string(40, 'a');
  DocContext.ReplaceTable = {{"%%A", std::string(40, 'v')}};
  for (const std::string& name : names) {
    SetClock([] { return ADD_FAILURE() << "the clock asked", 0.0; });
    const std::optional<size_t> most = MostValueBytes(name);
    for (const int year : {-9000, 1, 645, 1868, 1989, 2019, 9999, 12000}) {
      const TDateTime t = EncodeDateTime(year, 5, 1, 23, 59, 59);
      SetClock([t] { return t; });
      DocContext.DocFileTime = t;
      DocContext.DocScale = year < 1000 ? 1e-300 : -1.2345678901234567e-300;
      std::string value;
      EXPECT_EQ(ExpandTextVariable(name, value), most.has_value()) << name;
      EXPECT_LE(value.size(), most.value_or(0)) << name << " " << year;
    }
  }
}

}  // namespace
