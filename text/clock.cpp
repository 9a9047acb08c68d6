// Local time from the C library, and the civil calendar on day numbers
// (days counted from 1970-01-01, proleptic Gregorian).
#include "text/clock.h"

#include <cmath>
#include <cstdint>
#include <ctime>
#include <utility>

namespace {

ClockQuery& Query() {
  static ClockQuery query;
  return query;
}

// 1899-12-30 counted from 1970-01-01.
constexpr int64_t kEpochShift = -25569;
constexpr int64_t kMsPerDay = 86'400'000;

int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

void SetClock(ClockQuery query) {
  Query() = std::move(query);
}

TDateTime Now() {
  if (Query()) return Query()();
  const std::time_t now = std::time(nullptr);
  // Texts are drawn on two threads at once: no shared buffer.
  std::tm local{};
#if defined(_WIN32)
  if (localtime_s(&local, &now) != 0) return 0.0;
#else
  if (localtime_r(&now, &local) == nullptr) return 0.0;
#endif
  return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, local.tm_sec);
}

TDateParts DecodeDateTime(TDateTime t) {
  // Beyond some ten thousand years either way the parts would overflow.
  if (!std::isfinite(t) || std::abs(t) > 4e6) t = 0.0;
  int64_t days = static_cast<int64_t>(std::floor(t));
  int64_t ms = std::llround((t - static_cast<double>(days)) * kMsPerDay);
  if (ms >= kMsPerDay) {
    ++days;
    ms -= kMsPerDay;
  }
  TDateParts p{};
  const int64_t unixDays = days + kEpochShift;
  CivilFromDays(unixDays, p.Year, p.Month, p.Day);
  const int64_t secs = ms / 1000;
  p.Hour = static_cast<int>(secs / 3600);
  p.Minute = static_cast<int>(secs / 60 % 60);
  p.Second = static_cast<int>(secs % 60);
  // 1970-01-01 was a Thursday.
  p.Weekday = static_cast<int>(((unixDays + 4) % 7 + 7) % 7);
  return p;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
  const int64_t days = DaysFromCivil(year, month, day) - kEpochShift;
  return static_cast<double>(days) + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}
