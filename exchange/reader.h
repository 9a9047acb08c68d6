// The reader of JWC_TEMP.TXT, the drawing the host leaves for the tool: every
// line becomes a change of header state, a change of the current attributes
// or a new entity in the exchange store. Lines are Shift-JIS, keyword first,
// blank separated; a double quote or "=" keeps the rest of the line together.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

// The lines' tokens, which the reader's rules read.
#include "exchange/tokenizer.h"

// A line is read up to this many bytes and the rest of it is passed over, so
// a broken file with one endless line costs no more memory than a good one.
// The host's own lines are a few hundred bytes; no rule reads further than a
// 255-byte text after a few numbers.
inline constexpr size_t kMaxJwcLineBytes = size_t{64} << 10;

// Tokenises and classifies one line (without its line end) into the store;
// bytes past kMaxJwcLineBytes are not looked at.
void ParseJwcLine(std::string_view line);

// Reads every line of the file's bytes: lines end in CR LF or LF, the last
// one may have no end.
void LoadJwcTempFromBytes(std::string_view bytes);

// Reads the file into the store after InitStore. False when there is no file
// or reading fails; the lines read before a failure stay in the store.
bool LoadJwcTemp(const std::filesystem::path& path);
