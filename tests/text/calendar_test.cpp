// The era cache over a platform of two eras that counts its questions:
// either side of an era's change keeps its name, each date is asked once.
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

// The era as name and year ("H31"); "-", the name left as it was, for none.
std::string Era(TEraCache& cache, int year, int month, int day) {
  std::string name = "-";
  int era = 0;
  return cache.Era(year, month, day, name, era) ? name + std::to_string(era) : name;
}

TEST(EraCache, KeepsEachDatesEraAcrossAnEraChange) {
  TEraCache cache(TwoEras);
  for (int round = 0; round < 3; ++round) {
    for (int day = 1; round == 2 && day <= 20; ++day) EXPECT_EQ(Era(cache, 2020, 1, day), "R2");
    EXPECT_EQ(Era(cache, 2019, 4, 30), "H31");
    EXPECT_EQ(Era(cache, 2019, 5, 1), "R1");
    EXPECT_EQ(Era(cache, 1989, 1, 7), "-");
    EXPECT_EQ(Era(cache, 1989, 1, 8), "H1");
    EXPECT_EQ(Asked, round < 2 ? 4 : Asked);  // once a date until pushed out
  }
}

}  // namespace
