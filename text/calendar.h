// The Japanese calendar and the weekday names the text variables print. The
// era table comes from the platform, not from this program, so a new era
// arrives with a system update and never needs a code change. On Linux ICU
// answers (calendar_icu.cpp); another platform links its own definitions of
// PlatformJapaneseEra and ShortWeekdayName instead (calendar_win.cpp).
#pragma once

#include <array>
#include <cstddef>
#include <string>

// The longest era name JapaneseEra gives, in bytes: no era so far has more
// than four characters (eight bytes), and a name the platform gives longer
// than this counts as no era, so a text's box can hold every era date.
inline constexpr size_t kMaxEraNameBytes = 16;

// The era name (Shift-JIS, e.g. the current era's two kanji) and the year
// within that era (1 for its first year) of a civil date. False when the
// platform knows no era for it; the outputs are then untouched. Each thread
// keeps the answers of its last few dates (TEraCache).
bool JapaneseEra(int year, int month, int day, std::string& eraName, int& eraYear);

// The platform's answer to JapaneseEra, worked out anew at every call: ICU
// builds a calendar and a formatter each time, a fifth of a millisecond.
bool PlatformJapaneseEra(int year, int month, int day, std::string& eraName, int& eraYear);

// The eras of the last few dates asked, so a redraw of a hundred thousand
// era dates asks the platform once a date, not once a text. Plain data
// without a destructor, so each thread that draws texts has one of its own
// and none of them locks.
class TEraCache {
 public:
  using Lookup = bool (*)(int year, int month, int day, std::string& eraName, int& eraYear);
  constexpr explicit TEraCache(Lookup lookup) : lookup_(lookup) {}

  // JapaneseEra's answer, from the lookup once a date while it is kept.
  bool Era(int year, int month, int day, std::string& eraName, int& eraYear);

 private:
  static constexpr size_t kDates = 8;
  struct Entry {
    bool Used = false;
    bool Known = false;
    int Year = 0, Month = 0, Day = 0;
    int EraYear = 0;
    size_t Length = 0;
    std::array<char, kMaxEraNameBytes> Name{};
  };

  Lookup lookup_;
  std::array<Entry, kDates> entries_{};
  size_t next_ = 0;  // the entry the next new date replaces
};

// The short weekday name (Shift-JIS) of the Japanese locale, for weekday
// 0 = Sunday .. 6 = Saturday; empty for any other number.
std::string ShortWeekdayName(int weekday);
