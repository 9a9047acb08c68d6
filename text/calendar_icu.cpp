// The Japanese calendar from ICU: era names and years from the "japanese"
// calendar of the Japanese locale, weekday names from its date symbols.
#include <unicode/calendar.h>
#include <unicode/dtfmtsym.h>
#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <array>
#include <memory>

#include "common/sjis.h"
#include "text/calendar.h"

namespace {

std::string SjisOf(const icu::UnicodeString& u) {
  std::string utf8;
  u.toUTF8String(utf8);
  return SjisFromUtf8(utf8);
}

// Midnight of the civil date in UTC, as ICU's milliseconds since 1970. The
// calendars below work in UTC too, so no time zone can move the date.
bool CivilDateMillis(int year, int month, int day, UDate& millis) {
  UErrorCode status = U_ZERO_ERROR;
  icu::GregorianCalendar greg(*icu::TimeZone::getGMT(), status);
  if (U_FAILURE(status)) return false;
  greg.clear();
  greg.set(year, month - 1, day);
  millis = greg.getTime(status);
  return U_SUCCESS(status);
}

}  // namespace

bool PlatformJapaneseEra(int year, int month, int day, std::string& eraName, int& eraYear) {
  UDate millis = 0;
  if (!CivilDateMillis(year, month, day, millis)) return false;
  const icu::Locale japanese("ja_JP@calendar=japanese");
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> cal(
      icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), japanese, status));
  if (U_FAILURE(status)) return false;
  cal->setTime(millis, status);
  const int32_t y = cal->get(UCAL_YEAR, status);
  icu::SimpleDateFormat era(icu::UnicodeString(u"G"), japanese, status);
  if (U_FAILURE(status)) return false;
  era.setCalendar(*cal);
  icu::UnicodeString name;
  era.format(millis, name);
  eraName = SjisOf(name);
  eraYear = y;
  return true;
}

std::string ShortWeekdayName(int weekday) {
  // The locale's names do not change while the program runs.
  static const std::array<std::string, 7> kNames = [] {
    std::array<std::string, 7> names;
    UErrorCode status = U_ZERO_ERROR;
    const icu::DateFormatSymbols symbols(icu::Locale::getJapan(), status);
    int32_t count = 0;
    const icu::UnicodeString* icuNames = symbols.getShortWeekdays(count);
    if (U_FAILURE(status) || icuNames == nullptr) return names;
    // ICU counts Sunday as 1 and leaves index 0 empty.
    for (int32_t i = 1; i < count && i <= 7; ++i) names[i - 1] = SjisOf(icuNames[i]);
    return names;
  }();
  if (weekday < 0 || weekday > 6) return {};
  return kNames[weekday];
}
