// The text variables: a prefix character picks the time source and the
// number form, the rest of the name picks the value.
#include "text/textvars.h"

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

// The value of a regular letter, or false for a letter that is none.
bool RegularValue(char letter, const TDateParts& p, Form form, std::string& value) {
  int v = 0;
  switch (letter) {
    case 'y':
      v = p.Year % 100;
      break;
    case 'Y': {
      std::string era;
      v = p.Year;
      JapaneseEra(p.Year, p.Month, p.Day, era, v);
      break;
    }
    case 'm':
      v = p.Month;
      break;
    case 'd':
      v = p.Day;
      break;
    case 'H':
      v = p.Hour;
      break;
    case 'h':
      v = p.Hour % 12;
      break;
    case 'M':
      v = p.Minute;
      break;
    case 'S':
      v = p.Second;
      break;
    default:
      return false;
  }
  value = Number(v, form);
  return true;
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
  } else if (name.size() == 3 && name.starts_with("%f") && HexDigit(name[2]) > 0) {
    value = LeadingFileName(HexDigit(name[2]));
  } else {
    return ScaleValue(name, value);
  }
  return true;
}

// The names a prefix opens: its time source and form, then the rest.
bool PrefixedValue(std::string_view name, std::string& value) {
  bool now = false;
  Form form = Form::Plain;
  if (name.size() < 2 || name.size() > 3 || !ReadPrefix(name[0], now, form)) return false;
  const std::string_view rest = name.substr(1);
  const char prefix = name[0];
  const bool nowOnly = prefix == '$' || prefix == '&' || prefix == '%';
  const TDateParts p = DecodeDateTime(now ? Now() : DocContext.DocFileTime);
  if (rest.size() == 1 && RegularValue(rest[0], p, form, value)) return true;
  if (rest == "w" || rest == "W") {
    value = ShortWeekdayName(p.Weekday);
  } else if (rest == "wa") {
    value = WeekdayAbbrev(p.Weekday);
  } else if (rest == "ma") {
    value = MonthAbbrev(p.Month);
  } else if (rest == "n") {
    value = p.Hour < 12 ? "AM" : "PM";
  } else if (rest == "N") {
    value = Sjis(p.Hour < 12 ? "前" : "後");
  } else if (rest == "T") {
    value = DocContext.DocTitle;
  } else if (rest == "F" && !nowOnly) {
    value = DateText(p, form) + " " + TimeText(p);
  } else if (rest == "f" && !nowOnly) {
    value = DateText(p, form);
  } else if (rest == "j" && nowOnly) {
    value = DateText(p, Form::SpacePadded);
  } else if (rest == "J" && nowOnly) {
    value = EraDate(p);
  } else {
    return false;
  }
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
