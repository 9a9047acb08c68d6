// The eras of the dates asked last, kept on each thread.
#include "text/calendar.h"

#include <algorithm>

bool TEraCache::Era(int year, int month, int day, std::string& eraName, int& eraYear) {
  const auto same = [&](const Entry& e) {
    return e.Used && e.Year == year && e.Month == month && e.Day == day;
  };
  auto it = std::find_if(entries_.begin(), entries_.end(), same);
  if (it == entries_.end()) {
    Entry e;
    std::string name;
    int y = 0;
    e.Known = lookup_(year, month, day, name, y) && name.size() <= kMaxEraNameBytes;
    if (e.Known) {
      e.EraYear = y;
      e.Length = name.size();
      std::copy(name.begin(), name.end(), e.Name.begin());
    }
    e.Used = true;
    e.Year = year;
    e.Month = month;
    e.Day = day;
    it = entries_.begin() + static_cast<std::ptrdiff_t>(next_);
    *it = e;
    next_ = (next_ + 1) % kDates;
  }
  if (!it->Known) return false;
  eraName.assign(it->Name.data(), it->Length);
  eraYear = it->EraYear;
  return true;
}

bool JapaneseEra(int year, int month, int day, std::string& eraName, int& eraYear) {
  // The window's thread and the texts' layer thread each draw era dates.
  thread_local TEraCache cache(PlatformJapaneseEra);
  return cache.Era(year, month, day, eraName, eraYear);
}
