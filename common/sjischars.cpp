// The Shift-JIS text helpers: blanks, substrings by bytes and by characters
// that never cut a double-byte character in half, and the width of a run.
#include "common/sjischars.h"

#include <algorithm>
#include <cstdint>

namespace {

// Byte offset of character number n (1-based), or the text's size when the
// text has fewer characters.
size_t CharOffset(std::string_view t, int64_t n) {
  size_t i = 0;
  for (int64_t c = 1; c < n && i < t.size(); ++c) i += CharLength(t, i);
  return i;
}

}  // namespace

std::string StripBlanks(std::string_view t) {
  std::string out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size();) {
    const size_t len = CharLength(t, i);
    const std::string_view c = t.substr(i, len);
    const bool blank = len == 2 ? c == "\x81\x40" : static_cast<unsigned char>(c[0]) <= 0x20;
    if (!blank) out.append(c);
    i += len;
  }
  return out;
}

std::string CopyBytes(std::string_view t, int start, int n, int& taken) {
  taken = 0;
  std::string out;
  if (t.empty() || start < 1 || static_cast<size_t>(start) > t.size() || n <= 0) return out;
  const int64_t last = int64_t{start} + n - 1;
  for (size_t i = 0; i < t.size() && static_cast<int64_t>(i) < last;) {
    const size_t len = CharLength(t, i);
    const int64_t pos = static_cast<int64_t>(i) + 1;
    const bool lead = LeadByte(static_cast<unsigned char>(t[i]));
    // A lone lead byte at the end still needs room for a whole pair.
    const int64_t endPos = lead ? pos + 1 : pos;
    if (pos >= start && endPos <= last) out.append(t.substr(i, len));
    i += len;
  }
  taken = static_cast<int>(out.size());
  return out;
}

std::string LeadingBytes(std::string_view t, size_t n) {
  if (t.size() <= n) return std::string(t);
  int taken = 0;
  return CopyBytes(t, 1, static_cast<int>(n), taken);
}

int CharCount(std::string_view t) {
  int count = 0;
  for (size_t i = 0; i < t.size(); i += CharLength(t, i)) ++count;
  return count;
}

std::string CopyChars(std::string_view t, int start, int n) {
  const int count = CharCount(t);
  if (count < start || n <= 0) return {};
  const int64_t last = std::min<int64_t>(int64_t{start} + n - 1, count);
  const int64_t first = std::max(start, 1);
  if (last < first) return {};
  const size_t from = CharOffset(t, first);
  const size_t to = from + CharOffset(t.substr(from), last - first + 2);
  return std::string(t.substr(from, to - from));
}

double TextSpan(std::string_view t, double w, double g) {
  double span = 0;
  for (size_t i = 0; i < t.size();) {
    const auto c = static_cast<unsigned char>(t[i]);
    // A lone lead byte at the end is still set as a full-width character.
    const size_t len = LeadByte(c) ? 2 : 1;
    const bool more = i + len < t.size();
    if (len == 2) {
      span += w + (more ? g : 0);
    } else {
      span += (c >= 0x20 ? w / 2 : 0) + (more ? g / 2 : 0);
    }
    i += len;
  }
  return span;
}
