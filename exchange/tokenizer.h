// The tokens of a JWC_TEMP.TXT line: blank separated, a double quote or "="
// keeping the rest of the line together, Shift-JIS pairs never split, control
// bytes dropped. Nearly every line of a drawing is ASCII words and blanks,
// which are cut where they stand, 64 bytes at a time (with SSE2 where the
// build has it, common/simd.h); any other line goes byte by byte by the full
// rules. What the tokens mean is the reader's (reader.h).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// A line keeps at most this many tokens. Tokens beyond the 32nd are dropped:
// no keyword reads past the 17th, so the line is classified by the first 32.
inline constexpr int kMaxJwcTokens = 32;

// The tokens of one line. N is the number of the last token plus one, so a
// line ending in a blank counts the empty token after it.
struct TJwcTokens {
  std::array<std::string_view, kMaxJwcTokens> T;
  int N;
};

// How many readable bytes follow every line the reader tokenises, so that
// its tokens may be read in whole words past their ends; the buffer of
// gathered tokens is padded as much.
inline constexpr size_t kJwcLinePadding = 64;

// Cuts one line (without its line end) into tokens. The views point into the
// line or into buffer, which is reused from line to line and only grows for a
// longer line.
void TokenizeJwcLine(std::string_view line, std::string& buffer, TJwcTokens& tokens);

// Tokens of ASCII words and blanks, as nearly every line of a drawing has:
// views of bytes itself, cut up to the first byte that is neither (a line
// end, a quote, "=", a double-byte character, a control byte), whose
// position is returned. A line of more than 32 such tokens stops at the
// separator after the 32nd. So the reader cuts a plain line where it stands
// and finds its end on the way.
size_t CutPlainJwcTokens(std::string_view bytes, TJwcTokens& tokens);
