// The text variables: a prefix character picks the time source and the
// number form, the rest of the name picks the value.
#include "text/textvars.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/realformat.h"
#include "common/sjis.h"
#include "common/sjischars.h"
#include "text/calendar.h"

TDocContext DocContext;

namespace {

enum class Form { Plain, SpacePadded, ZeroPadded };

// The prefix characters: the time source (now, or the drawing file's time
// stamp) and the number form each chooses.
struct TPrefix {
  char C;
  bool Now;
  Form NumberForm;
};
constexpr TPrefix kPrefixes[] = {
    {'$', true, Form::Plain},        {'&', true, Form::SpacePadded}, {'%', true, Form::ZeroPadded},
    {'_', false, Form::SpacePadded}, {'=', false, Form::ZeroPadded},
};

// What a prefix character chooses; false for a character that is none.
bool ReadPrefix(char c, bool& now, Form& form) {
  for (const TPrefix& p : kPrefixes) {
    if (p.C == c) {
      now = p.Now;
      form = p.NumberForm;
      return true;
    }
  }
  return false;
}

std::string Number(int v, Form form) {
  std::string out;
  if (v >= 0 && v < 10 && form != Form::Plain) out += form == Form::ZeroPadded ? '0' : ' ';
  AppendInt(out, v);
  return out;
}

// Year (4 digits), "/", month, "/", day in the form.
std::string DateText(const TDateParts& p, Form form) {
  return Number(p.Year, Form::Plain) + "/" + Number(p.Month, form) + "/" + Number(p.Day, form);
}

std::string TimeText(const TDateParts& p) {
  return Number(p.Hour, Form::ZeroPadded) + ":" + Number(p.Minute, Form::ZeroPadded) + ":" +
         Number(p.Second, Form::ZeroPadded);
}

// The locale's short weekday name in English upper case; a name that is no
// Japanese weekday stays as it is.
std::string WeekdayAbbrev(int weekday) {
  static const std::array<const char*, 7> kEnglish = {"SUN", "MON", "TUE", "WED",
                                                      "THU", "FRI", "SAT"};
  static const std::array<std::string, 7> kJapanese = {
      Sjis("日"), Sjis("月"), Sjis("火"), Sjis("水"), Sjis("木"), Sjis("金"), Sjis("土")};
  const std::string name = ShortWeekdayName(weekday);
  for (size_t i = 0; i < kJapanese.size(); ++i) {
    if (name == kJapanese[i]) return kEnglish[i];
  }
  return name;
}

std::string MonthAbbrev(int month) {
  static const std::array<const char*, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  return month >= 1 && month <= 12 ? kMonths[month - 1] : "";
}

std::string EraDate(const TDateParts& p) {
  std::string era;
  int year = p.Year;
  JapaneseEra(p.Year, p.Month, p.Day, era, year);
  return era + Number(year, Form::Plain) + Sjis("年") + Number(p.Month, Form::SpacePadded) +
         Sjis("月") + Number(p.Day, Form::SpacePadded) + Sjis("日");
}

std::string EraYear(const TDateParts& p, Form form) {
  std::string era;
  int year = p.Year;
  JapaneseEra(p.Year, p.Month, p.Day, era, year);
  return Number(year, form);
}

// The most bytes of a number's text: an int with its sign.
constexpr size_t kIntBytes = 11;
// Year, "/", month, "/", day.
constexpr size_t kDateBytes = kIntBytes + 1 + 2 + 1 + 2;

// Which time sources a name of the prefix scheme takes.
enum class Sources { Both, NowOnly, FileOnly };

// A name of the prefix scheme after its prefix: its value from the
// date-time in the prefix's number form, and the most bytes that value can
// have whatever the date, the locale's longest weekday name added where it
// may show (kAnyValueBytes for a value the document context gives).
struct TPrefixedName {
  std::string_view Rest;
  Sources From;
  std::string (*Value)(const TDateParts& p, Form form);
  size_t MostBytes;
  bool Weekday = false;
};

constexpr TPrefixedName kPrefixedNames[] = {
    {"y", Sources::Both, [](const TDateParts& p, Form f) { return Number(p.Year % 100, f); }, 3},
    {"Y", Sources::Both, EraYear, kIntBytes},
    {"m", Sources::Both, [](const TDateParts& p, Form f) { return Number(p.Month, f); }, 2},
    {"d", Sources::Both, [](const TDateParts& p, Form f) { return Number(p.Day, f); }, 2},
    {"H", Sources::Both, [](const TDateParts& p, Form f) { return Number(p.Hour, f); }, 2},
    {"h", Sources::Both, [](const TDateParts& p, Form f) { return Number(p.Hour % 12, f); }, 2},
    {"M", Sources::Both, [](const TDateParts& p, Form f) { return Number(p.Minute, f); }, 2},
    {"S", Sources::Both, [](const TDateParts& p, Form f) { return Number(p.Second, f); }, 2},
    {"w", Sources::Both, [](const TDateParts& p, Form) { return ShortWeekdayName(p.Weekday); }, 0,
     true},
    {"W", Sources::Both, [](const TDateParts& p, Form) { return ShortWeekdayName(p.Weekday); }, 0,
     true},
    {"wa", Sources::Both, [](const TDateParts& p, Form) { return WeekdayAbbrev(p.Weekday); }, 3,
     true},
    {"ma", Sources::Both, [](const TDateParts& p, Form) { return MonthAbbrev(p.Month); }, 3},
    {"n", Sources::Both,
     [](const TDateParts& p, Form) { return std::string(p.Hour < 12 ? "AM" : "PM"); }, 2},
    {"N", Sources::Both, [](const TDateParts& p, Form) { return Sjis(p.Hour < 12 ? "前" : "後"); },
     2},
    {"T", Sources::Both, [](const TDateParts&, Form) { return DocContext.DocTitle; },
     kAnyValueBytes},
    {"F", Sources::FileOnly,
     [](const TDateParts& p, Form f) { return DateText(p, f) + " " + TimeText(p); },
     kDateBytes + 1 + 8},
    {"f", Sources::FileOnly, DateText, kDateBytes},
    {"j", Sources::NowOnly,
     [](const TDateParts& p, Form) { return DateText(p, Form::SpacePadded); }, kDateBytes},
    // Era, year, "年", month, "月", day, "日".
    {"J", Sources::NowOnly, [](const TDateParts& p, Form) { return EraDate(p); },
     kMaxEraNameBytes + kIntBytes + 2 + 2 + 2 + 2 + 2},
};

// The entry of a name of the prefix scheme, with the time source and the
// number form its prefix chooses; null for a text that is none.
const TPrefixedName* FindPrefixed(std::string_view name, bool& now, Form& form) {
  if (name.size() < 2 || name.size() > 3 || !ReadPrefix(name[0], now, form)) return nullptr;
  for (const TPrefixedName& n : kPrefixedNames) {
    const bool source = n.From == Sources::Both || (n.From == Sources::NowOnly) == now;
    if (n.Rest == name.substr(1) && source) return &n;
  }
  return nullptr;
}

// The longest short weekday name of the locale, which does not change
// while the program runs.
size_t LongestWeekdayName() {
  static const size_t kLongest = [] {
    size_t longest = 0;
    for (int d = 0; d < 7; ++d) longest = std::max(longest, ShortWeekdayName(d).size());
    return longest;
  }();
  return kLongest;
}

// The path without its folder: what follows the last "\", "/" or ":",
// looked for character by character so a trail byte is never taken for one.
std::string_view FileNameOf(std::string_view path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(path[i]);
    if (LeadByte(b)) {
      ++i;
    } else if (b == '\\' || b == '/' || b == ':') {
      start = i + 1;
    }
  }
  return path.substr(std::min(start, path.size()));
}

std::string_view WithoutExtension(std::string_view name) {
  size_t dot = std::string_view::npos;
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(name[i]);
    if (LeadByte(b)) {
      ++i;
    } else if (b == '.') {
      dot = i;
    }
  }
  return name.substr(0, dot);
}

constexpr const char* kHalfDot = "\xA5";  // the half-width middle dot

// "%f1".."%ff": the first n bytes of the bare file name, whole characters only.
std::string LeadingFileName(int n) {
  const std::string_view base = WithoutExtension(FileNameOf(DocContext.DocFileName));
  int taken = 0;
  std::string part = CopyBytes(base, 1, n, taken);
  if (n == 1 && part.empty()) return kHalfDot;
  return part;
}

double KnownOrOne(double v) {
  return std::isfinite(v) && v != 0.0 ? v : 1.0;
}

// "1/" and the value when it is 1 or more, else its reciprocal to one
// decimal and "/1"; ratio says whether to write the "1/" and "/1" at all.
std::string ScaleText(double value, double reciprocal, bool ratio) {
  if (value >= 1.0) return (ratio ? "1/" : "") + FormatReal(value);
  const double rounded = std::trunc(reciprocal * 10 + 0.5) / 10;
  return FormatReal(rounded) + (ratio ? "/1" : "");
}

bool ScaleValue(std::string_view name, std::string& value) {
  const double s = KnownOrOne(DocContext.DocScale);
  const double divisor = KnownOrOne(DocContext.DocScaleDivisor);
  if (name == "%SS" || name == "%ss") {
    value = ScaleText(s, 1 / s, name[1] == 'S');
  } else if (name == "%SP" || name == "%sp") {
    value = ScaleText(s / divisor, (1 / s) * divisor, name[1] == 'S');
  } else {
    return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '1' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

// The bytes "%f1".."%ff" ask for, 1..15; 0 for any other name.
int LeadingFileNameBytes(std::string_view name) {
  return name.size() == 3 && name.starts_with("%f") ? HexDigit(name[2]) : 0;
}

// The names outside the prefix-and-letter scheme that read no time.
bool ContextValue(std::string_view name, std::string& value) {
  const TDocContext& doc = DocContext;
  if (name == "%mm") {
    value = doc.DocMemo1 + kHalfDot + kHalfDot + doc.DocMemo2;
  } else if (name == "%m1") {
    value = doc.DocMemo1;
  } else if (name == "%m2") {
    value = doc.DocMemo2;
  } else if (name == "%f") {
    value = FileNameOf(doc.DocFileName);
  } else if (name == "$f" || name == "&f") {
    value = WithoutExtension(FileNameOf(doc.DocFileName));
  } else if (name == "$F" || name == "&F" || name == "%F") {
    value = doc.DocFileName;
  } else if (const int n = LeadingFileNameBytes(name); n > 0) {
    value = LeadingFileName(n);
  } else {
    return ScaleValue(name, value);
  }
  return true;
}

// The most bytes of the value of a name ContextValue knows: the leading
// part of the file name and the scale texts (a number of at most 32 bytes
// in the exchange file's format, and "1/" or "/1") have a length of their
// own; the others are the context's texts.
size_t ContextBytes(std::string_view name) {
  if (LeadingFileNameBytes(name) > 0) return 15;
  std::string scale;
  return ScaleValue(name, scale) ? 2 + 32 : kAnyValueBytes;
}

// The names a prefix opens: its time source and form, then the rest.
bool PrefixedValue(std::string_view name, std::string& value) {
  bool now = false;
  Form form = Form::Plain;
  const TPrefixedName* n = FindPrefixed(name, now, form);
  if (n == nullptr) return false;
  value = n->Value(DecodeDateTime(now ? Now() : DocContext.DocFileTime), form);
  return true;
}

}  // namespace

bool ExpandTextVariable(std::string_view text, std::string& value) {
  if (ContextValue(text, value) || PrefixedValue(text, value)) return true;
  if (!text.starts_with("%%")) return false;
  for (const TStr2List& entry : DocContext.ReplaceTable) {
    if (entry.Key == text) {
      value = entry.Value;
      return true;
    }
  }
  value = text;
  return true;
}

std::optional<size_t> MostValueBytes(std::string_view text) {
  std::string scratch;
  if (ContextValue(text, scratch)) return ContextBytes(text);
  bool now = false;
  Form form = Form::Plain;
  if (const TPrefixedName* n = FindPrefixed(text, now, form)) {
    if (n->MostBytes == kAnyValueBytes) return kAnyValueBytes;
    return n->MostBytes + (n->Weekday ? LongestWeekdayName() : 0);
  }
  if (text.starts_with("%%")) return kAnyValueBytes;
  return std::nullopt;
}
