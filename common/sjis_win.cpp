// The Shift-JIS codec over the system's own code page 932, named explicitly:
// the process's ANSI page may be anything. The replacement characters are the
// same as on Linux: "?" for what CP932 cannot hold, U+FFFD for bytes that are
// no character.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

#include "common/cp932bytes.h"
#include "common/sjis.h"

namespace {

constexpr UINT kCp932 = 932;
constexpr wchar_t kReplacement = 0xFFFD;

// Appends the UTF-16 of one run of well-formed CP932 characters, or returns
// false when the system has no character for one of them.
bool AppendCp932(std::string_view run, std::wstring& out) {
  const int n = static_cast<int>(run.size());
  const size_t before = out.size();
  out.resize(before + run.size());
  const int got =
      MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, run.data(), n, out.data() + before, n);
  out.resize(before + static_cast<size_t>(got));
  return got > 0;
}

// Single bytes outside the half-width katakana are no character, though the
// system's table gives some of them private-use codes.
bool SingleByteCharacter(unsigned char b) {
  return b >= 0xA1 && b <= 0xDF;
}

// Appends one non-ASCII run, character by character where the whole run
// does not convert.
void AppendNonAscii(std::string_view run, std::wstring& out) {
  bool wellFormed = true;
  for (size_t i = 0; i < run.size() && wellFormed;) {
    const size_t len = Cp932CharLength(run, i);
    wellFormed = len == 2 || SingleByteCharacter(static_cast<unsigned char>(run[i]));
    i += len;
  }
  if (wellFormed && AppendCp932(run, out)) return;
  for (size_t i = 0; i < run.size();) {
    const size_t len = Cp932CharLength(run, i);
    const bool known = (len == 2 || SingleByteCharacter(static_cast<unsigned char>(run[i]))) &&
                       AppendCp932(run.substr(i, len), out);
    if (!known) out.push_back(kReplacement);
    i += len;
  }
}

// The look-alikes this tool fits to a CP932 character, as the Linux codec
// does, and only these: the system's own best fit goes much further (an
// accented letter becomes its plain one), which would make the same typed
// text give other bytes on each system. Each maps to the character whose
// CP932 code it gets.
constexpr std::pair<wchar_t, wchar_t> kLookAlikes[] = {
    {0x00A5, 0x005C}, {0x00A6, 0xFFE4}, {0x2014, 0x2015}, {0x2016, 0x2225}, {0x203E, 0x007E},
    {0x2212, 0xFF0D}, {0x301C, 0xFF5E}, {0x4FE0, 0x4FA0}, {0x525D, 0x5265}, {0x555E, 0x5516},
    {0x5699, 0x565B}, {0x56CA, 0x56A2}, {0x5861, 0x586B}, {0x5C5B, 0x5C4F}, {0x5C62, 0x5C61},
    {0x6414, 0x63BB}, {0x6451, 0x63B4}, {0x6522, 0x6505}, {0x6805, 0x67F5}, {0x688E, 0x688D},
    {0x6F51, 0x6E8C}, {0x7006, 0x6D9C}, {0x7130, 0x7114}, {0x7626, 0x75E9}, {0x79B1, 0x7977},
    {0x7C1E, 0x7BAA}, {0x7E48, 0x7E66}, {0x7E61, 0x7E4D}, {0x7E6B, 0x7E4B}, {0x8141, 0x80FC},
    {0x8346, 0x834A}, {0x840A, 0x83B1}, {0x8523, 0x848B}, {0x87EC, 0x8749}, {0x881F, 0x874B},
    {0x8EC0, 0x8EAF}, {0x91AC, 0x91A4}, {0x91B1, 0x9197}, {0x9830, 0x982C}, {0x9839, 0x983D},
    {0x985A, 0x985B}, {0x9A52, 0x9A28}, {0x9DD7, 0x9D0E}, {0x9E7C, 0x9E78}, {0x9EB4, 0x9EB9},
    {0x9EB5, 0x9EBA},
};

wchar_t FitLookAlike(wchar_t c) {
  const auto* end = std::end(kLookAlikes);
  const auto* it = std::lower_bound(std::begin(kLookAlikes), end, c,
                                    [](const auto& entry, wchar_t v) { return entry.first < v; });
  return it != end && it->first == c ? it->second : c;
}

// UTF-8 to UTF-16 with each maximal ill-formed subsequence one U+FFFD, the
// Unicode practice the Linux codec follows; the system's decoder counts
// differently from one version to the next. CP932 lies wholly in the basic
// plane, so a character beyond it is U+FFFD as well: one "?" later.
std::wstring WideFromUtf8(std::string_view utf8) {
  std::wstring wide;
  wide.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i++]);
    if (lead < 0x80) {
      wide.push_back(static_cast<wchar_t>(lead));
      continue;
    }
    int need = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      need = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      need = 2;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;  // no encoded surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      need = 3;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    uint32_t code = lead & (0x7F >> (need + 1));
    int got = 0;
    for (; got < need && i < utf8.size(); ++got, ++i) {
      const auto b = static_cast<unsigned char>(utf8[i]);
      if (b < low || b > high) break;
      code = (code << 6) | (b & 0x3F);
      low = 0x80;
      high = 0xBF;
    }
    const bool whole = need > 0 && got == need;
    wide.push_back(whole && code < 0x10000 ? static_cast<wchar_t>(code) : kReplacement);
  }
  return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  std::string utf8(wide.size() * 3, '\0');
  const int got = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
  utf8.resize(static_cast<size_t>(got));
  return utf8;
}

bool IsSurrogate(wchar_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

// UTF-16 to CP932; replaced tells whether a character became "?". A
// character beyond the basic plane is one "?", not one per surrogate.
std::string Encode(std::wstring wide, bool& replaced) {
  size_t w = 0;
  for (size_t i = 0; i < wide.size(); ++i) {
    const bool pair = IsSurrogate(wide[i]) && i + 1 < wide.size() && IsSurrogate(wide[i + 1]);
    wide[w++] = IsSurrogate(wide[i]) ? kReplacement : FitLookAlike(wide[i]);
    if (pair) ++i;
  }
  wide.resize(w);
  replaced = false;
  if (wide.empty()) return {};
  std::string out(wide.size() * 2, '\0');
  BOOL usedDefault = FALSE;
  const int got =
      WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                          out.data(), static_cast<int>(out.size()), "?", &usedDefault);
  out.resize(static_cast<size_t>(got));
  replaced = usedDefault != FALSE;
  return out;
}

}  // namespace

std::string SjisFromUtf8(std::string_view utf8) {
  bool replaced = false;
  return Encode(WideFromUtf8(utf8), replaced);
}

std::string SjisFromWide(std::wstring_view wide) {
  bool replaced = false;
  return Encode(std::wstring(wide), replaced);
}

std::wstring WideFromSjis(std::string_view sjis) {
  std::wstring wide;
  wide.reserve(sjis.size());
  for (size_t i = 0; i < sjis.size();) {
    size_t j = i;
    if (IsAscii(sjis[i])) {
      // ASCII as it stands, control codes included.
      while (j < sjis.size() && IsAscii(sjis[j])) wide.push_back(static_cast<wchar_t>(sjis[j++]));
    } else {
      while (j < sjis.size() && !IsAscii(sjis[j])) j += Cp932CharLength(sjis, j);
      AppendNonAscii(sjis.substr(i, j - i), wide);
    }
    i = j;
  }
  return wide;
}

std::string Utf8FromSjis(std::string_view sjis) {
  return Utf8FromWide(WideFromSjis(sjis));
}

bool SjisCanEncode(std::string_view utf8) {
  bool replaced = false;
  Encode(WideFromUtf8(utf8), replaced);
  return !replaced;
}
