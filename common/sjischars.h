// Helpers on Shift-JIS text, which is a byte string: a lead byte and the
// byte after it form one double-byte character, and nothing here ever
// splits such a pair. Positions and counts are 1-based. Stateless.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// True for a byte that starts a double-byte character (0x80..0x9F, 0xE0..0xFD).
constexpr bool LeadByte(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
}

// The byte length of the character at byte i (0-based): 2 for a lead byte
// with a byte after it, else 1; a lead byte in the last position stands alone.
inline size_t CharLength(std::string_view t, size_t i) {
  return LeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() ? 2 : 1;
}

// The text without half-width and full-width spaces and control characters.
std::string StripBlanks(std::string_view t);

// Bytes start..start+n-1 without any double-byte character that straddles an
// end; taken receives the number of bytes copied.
std::string CopyBytes(std::string_view t, int start, int n, int& taken);

// The text cut to at most n bytes, never inside a double-byte character.
std::string LeadingBytes(std::string_view t, size_t n);

// Number of characters; a double-byte character counts one.
int CharCount(std::string_view t);

// Characters start..start+n-1, whole double-byte characters only.
std::string CopyChars(std::string_view t, int start, int n);

// Width of the text set with character width w and spacing g.
double TextSpan(std::string_view t, double w, double g);
