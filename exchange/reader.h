// The reader of JWC_TEMP.TXT, the drawing the host leaves for the tool: every
// line becomes a change of header state, a change of the current attributes
// or a new entity in the exchange store. Lines are Shift-JIS, keyword first,
// blank separated; a double quote or "=" keeps the rest of the line together.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// A line keeps at most this many tokens. Tokens beyond the 32nd are dropped:
// no keyword reads past the 17th, so the line is classified by the first 32.
inline constexpr int kMaxJwcTokens = 32;

// A line is read up to this many bytes and the rest of it is passed over, so
// a broken file with one endless line costs no more memory than a good one.
// The host's own lines are a few hundred bytes; no rule reads further than a
// 255-byte text after a few numbers.
inline constexpr size_t kMaxJwcLineBytes = size_t{64} << 10;

// The tokens of one line. N is the number of the last token plus one, so a
// line ending in a blank counts the empty token after it.
struct TJwcTokens {
  std::array<std::string_view, kMaxJwcTokens> T;
  int N;
};

// Cuts one line (without its line end) into tokens. The views point into the
// line or into buffer, which is reused from line to line and only grows for a
// longer line.
void TokenizeJwcLine(std::string_view line, std::string& buffer, TJwcTokens& tokens);

// Tokenises and classifies one line (without its line end) into the store;
// bytes past kMaxJwcLineBytes are not looked at.
void ParseJwcLine(std::string_view line);

// Reads every line of the file's bytes: lines end in CR LF or LF, the last
// one may have no end.
void LoadJwcTempFromBytes(std::string_view bytes);

// Reads the file into the store after InitStore. False when there is no file
// or reading fails; the lines read before a failure stay in the store.
bool LoadJwcTemp(const std::filesystem::path& path);
