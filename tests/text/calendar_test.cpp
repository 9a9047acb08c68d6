// The era cache over a platform of two eras that counts its questions: the
// last day of an era and the first of the next keep their own names, the
// platform is asked once a date, and a date pushed out by many others is
// asked again and still right.
#include "text/calendar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int Asked = 0;

// Heisei from 1989-01-08, Reiwa from 2019-05-01; no era before.
bool TwoEras(int year, int month, int day, std::string& name, int& eraYear) {
  ++Asked;
  const int date = year * 10000 + month * 100 + day;
  if (date < 19890108) return false;
  const bool reiwa = date >= 20190501;
  name = reiwa ? "R" : "H";
  eraYear = year - (reiwa ? 2018 : 1988);
  return true;
}

bool TooLongAName(int, int, int, std::string& name, int& eraYear) {
  name.assign(kMaxEraNameBytes + 1, 'x');
  eraYear = 1;
  return true;
}

struct Case {
  int Year, Month, Day;
  const char* Name;  // "-" when no era: the outputs stay as they were
  int EraYear;
};

void Expect(TEraCache& cache, const Case& c) {
  std::string name = "-";
  int eraYear = -1;
  const bool known = cache.Era(c.Year, c.Month, c.Day, name, eraYear);
  EXPECT_EQ(known, name != "-") << c.Year << "-" << c.Month << "-" << c.Day;
  EXPECT_EQ(name, c.Name) << c.Year << "-" << c.Month << "-" << c.Day;
  EXPECT_EQ(eraYear, known ? c.EraYear : -1) << c.Year << "-" << c.Month << "-" << c.Day;
}

TEST(EraCache, KeepsEachDatesEraAcrossAnEraChange) {
  TEraCache cache(TwoEras);
  Asked = 0;
  const Case around[] = {
      {2019, 4, 30, "H", 31}, {2019, 5, 1, "R", 1}, {1989, 1, 7, "-", 0}, {1989, 1, 8, "H", 1}};
  for (int round = 0; round < 3; ++round) {
    for (const Case& c : around) Expect(cache, c);
  }
  EXPECT_EQ(Asked, 4);
  for (int day = 1; day <= 20; ++day) Expect(cache, {2020, 1, day, "R", 2});
  for (const Case& c : around) Expect(cache, c);
}

TEST(EraCache, ANameLongerThanABoxHoldsIsNoEra) {
  TEraCache cache(TooLongAName);
  Expect(cache, {2026, 1, 5, "-", 0});
}

}  // namespace
