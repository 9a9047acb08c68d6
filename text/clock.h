// The clock the text variables read, and the date-time values they print.
// A date-time is a double: whole days since 1899-12-30 plus the fraction of
// the day, local time. The clock is a seam: tests install a fixed time.
#pragma once

#include <functional>

using TDateTime = double;

using ClockQuery = std::function<TDateTime()>;

// Replaces the clock; an empty one goes back to the local time of the system.
void SetClock(ClockQuery query);

// The local date and time now.
TDateTime Now();

// A date-time taken apart; Weekday 0 is Sunday.
struct TDateParts {
  int Year, Month, Day, Hour, Minute, Second, Weekday;
};

// The parts of a date-time, to the nearest millisecond; a value that is not
// a finite number reads as 0.0 (1899-12-30 00:00:00).
TDateParts DecodeDateTime(TDateTime t);

// The date-time of the parts (Weekday is ignored).
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second);
