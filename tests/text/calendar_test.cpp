// The era cache over a platform of two eras that counts its questions: the
// last day of an era and the first of the next keep their own names, each
// date is asked once, and dates pushed out by many others come back right.
#include "text/calendar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int Asked = 0;

// Heisei from 1989-01-08, Reiwa from 2019-05-01; before, a name too long
// to keep, which counts as no era.
bool TwoEras(int year, int month, int day, std::string& name, int& eraYear) {
  ++Asked;
  const int date = year * 10000 + month * 100 + day;
  name = date >= 20190501 ? "R" : date >= 19890108 ? "H" : std::string(kMaxEraNameBytes + 1, 'x');
  eraYear = year - (date >= 20190501 ? 2018 : 1988);
  return true;
}

// name "-": no era, and the outputs left as they were.
void ExpectEra(TEraCache& cache, int year, int month, int day, const std::string& name, int era) {
  std::string gotName = "-";
  int gotEra = -1;
  EXPECT_EQ(cache.Era(year, month, day, gotName, gotEra), name != "-") << year << month << day;
  EXPECT_EQ(gotName, name) << year << "-" << month << "-" << day;
  EXPECT_EQ(gotEra, era) << year << "-" << month << "-" << day;
}

TEST(EraCache, KeepsEachDatesEraAcrossAnEraChange) {
  TEraCache cache(TwoEras);
  for (int round = 0; round < 3; ++round) {
    for (int day = 1; round == 2 && day <= 20; ++day) ExpectEra(cache, 2020, 1, day, "R", 2);
    ExpectEra(cache, 2019, 4, 30, "H", 31);
    ExpectEra(cache, 2019, 5, 1, "R", 1);
    ExpectEra(cache, 1989, 1, 7, "-", -1);
    ExpectEra(cache, 1989, 1, 8, "H", 1);
    if (round == 1) {
      EXPECT_EQ(Asked, 4);
    }
  }
}

}  // namespace
