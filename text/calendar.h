// The Japanese calendar and the weekday names the text variables print. The
// era table comes from the platform, not from this program, so a new era
// arrives with a system update and never needs a code change. On Linux ICU
// answers (calendar_icu.cpp); another platform links its own definitions of
// these two functions instead.
#pragma once

#include <string>

// The era name (Shift-JIS, e.g. the current era's two kanji) and the year
// within that era (1 for its first year) of a civil date. False when the
// platform knows no era for it; the outputs are then untouched.
bool JapaneseEra(int year, int month, int day, std::string& eraName, int& eraYear);

// The short weekday name (Shift-JIS) of the Japanese locale, for weekday
// 0 = Sunday .. 6 = Saturday; empty for any other number.
std::string ShortWeekdayName(int weekday);
