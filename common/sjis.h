// The one Shift-JIS (CP932) <-> Unicode codec. Text in the core is always
// Shift-JIS bytes; conversion happens only at the edges (widgets, glyphs,
// file names) and for the system's own Japanese texts written in the source.
#pragma once

#include <string>
#include <string_view>

// UTF-8 to Shift-JIS. Characters CP932 cannot hold become "?"; use
// SjisCanEncode first where that must not happen.
std::string SjisFromUtf8(std::string_view utf8);

// Shift-JIS to UTF-8; an invalid byte sequence becomes U+FFFD.
std::string Utf8FromSjis(std::string_view sjis);

// True when every character of the UTF-8 text has a CP932 code.
bool SjisCanEncode(std::string_view utf8);

#ifdef _WIN32
// The same codec for the UTF-16 of the Windows API.
std::wstring WideFromSjis(std::string_view sjis);
std::string SjisFromWide(std::wstring_view wide);
#endif

// Shorthand for the system's own texts written in the source as UTF-8.
inline std::string Sjis(std::string_view utf8) {
  return SjisFromUtf8(utf8);
}
