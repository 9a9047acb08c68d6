// The byte classes of CP932 that both codecs share: which bytes are ASCII,
// which may open a double-byte character and which may close one. Only whole
// characters and single non-ASCII bytes ever reach a converter.
#pragma once

#include <cstddef>
#include <string_view>

inline bool IsAscii(char c) {
  return static_cast<unsigned char>(c) < 0x80;
}

inline bool Cp932Lead(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

inline bool Cp932Trail(unsigned char b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Length of the character starting at i: 2 for a lead byte followed by a
// trail byte, otherwise 1.
inline size_t Cp932CharLength(std::string_view t, size_t i) {
  return Cp932Lead(static_cast<unsigned char>(t[i])) && i + 1 < t.size() &&
                 Cp932Trail(static_cast<unsigned char>(t[i + 1]))
             ? 2
             : 1;
}
