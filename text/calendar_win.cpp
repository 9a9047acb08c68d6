// The Japanese calendar from the system. Windows keeps its table of eras in
// the registry (each era's first day and its names), where a system update
// adds a new era; the era of a date is the last one begun by that day. A
// system without the table leaves the date to its formatter on the
// Japanese calendar. The locale gives the short weekday names.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "text/calendar.h"

namespace {

const wchar_t kJapanese[] = L"ja-JP";
const wchar_t kErasKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Calendars\\Japanese\\Eras";

struct Era {
  int FirstDay;  // yyyymmdd
  int FirstYear;
  std::wstring Name;
};

int DayNumber(int year, int month, int day) {
  return year * 10000 + month * 100 + day;
}

// The registry's eras, oldest first: values named "yyyy mm dd" holding
// "name_abbreviation_English_letter".
std::vector<Era> SystemEras() {
  std::vector<Era> eras;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kErasKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return eras;
  for (DWORD i = 0;; ++i) {
    wchar_t name[64] = {};
    DWORD nameLength = 64;
    wchar_t data[128] = {};
    DWORD dataBytes = sizeof(data) - sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status = RegEnumValueW(key, i, name, &nameLength, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data), &dataBytes);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || type != REG_SZ) continue;
    int y = 0, m = 0, d = 0;
    if (std::swscanf(name, L"%d %d %d", &y, &m, &d) != 3) continue;
    const std::wstring value(data);
    const std::wstring era = value.substr(0, value.find(L'_'));
    if (!era.empty()) eras.push_back({DayNumber(y, m, d), y, era});
  }
  RegCloseKey(key);
  std::sort(eras.begin(), eras.end(),
            [](const Era& a, const Era& b) { return a.FirstDay < b.FirstDay; });
  return eras;
}

// The date in the picture format on the Japanese calendar; empty when the
// system cannot format it.
std::wstring JapaneseDate(int year, int month, int day, const wchar_t* picture) {
  if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > 31) return {};
  SYSTEMTIME date{};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  wchar_t text[64] = {};
  const int n =
      GetDateFormatEx(kJapanese, DATE_USE_ALT_CALENDAR, &date, picture, text, 64, nullptr);
  return n > 1 ? std::wstring(text, static_cast<size_t>(n - 1)) : std::wstring();
}

bool FormatterEra(int year, int month, int day, std::wstring& era, int& eraYear) {
  era = JapaneseDate(year, month, day, L"gg");
  const std::wstring digits = JapaneseDate(year, month, day, L"yyyy");
  if (era.empty() || digits.empty()) return false;
  eraYear = 0;
  for (wchar_t c : digits) {
    if (std::iswdigit(c)) eraYear = eraYear * 10 + (c - L'0');
  }
  // A system set to write the first year as "元" has no digits for it.
  if (eraYear == 0) eraYear = 1;
  return true;
}

}  // namespace

bool PlatformJapaneseEra(int year, int month, int day, std::string& eraName, int& eraYear) {
  static const std::vector<Era> kEras = SystemEras();
  std::wstring era;
  int y = 0;
  if (kEras.empty()) {
    if (!FormatterEra(year, month, day, era, y)) return false;
  } else {
    const int today = DayNumber(year, month, day);
    auto it = std::upper_bound(kEras.begin(), kEras.end(), today,
                               [](int d, const Era& e) { return d < e.FirstDay; });
    if (it == kEras.begin()) return false;
    --it;
    era = it->Name;
    y = year - it->FirstYear + 1;
  }
  eraName = SjisFromWide(era);
  eraYear = y;
  return true;
}

std::string ShortWeekdayName(int weekday) {
  if (weekday < 0 || weekday > 6) return {};
  // The system counts its names from Monday.
  const LCTYPE item = weekday == 0 ? LOCALE_SABBREVDAYNAME7 : LOCALE_SABBREVDAYNAME1 + weekday - 1;
  wchar_t name[32] = {};
  const int n = GetLocaleInfoEx(kJapanese, item, name, 32);
  return n > 1 ? SjisFromWide(std::wstring(name, static_cast<size_t>(n - 1))) : std::string();
}
