// Reading and writing the lists of points with lengths.
#include "site/pointlist.h"

#include "common/decimal.h"
#include "common/numbers.h"
#include "common/sjischars.h"
#include "exchange/tablefile.h"

namespace {

std::string_view Trimmed(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

std::optional<int32_t> PointNumber(std::string_view t) {
  if (t.empty() || t.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  const int32_t n = TextToInt(t);
  if (n < 1 || n > kMaxPointNumber) return std::nullopt;
  return n;
}

// One item: the point or the pair, a separator, the length at decimals.
std::optional<TPointValue> ParseItem(std::string_view item, bool pairs, int decimals) {
  item = Trimmed(item);
  const size_t end = item.find_first_of(" :=");
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view key = item.substr(0, end);
  std::string_view length = item.substr(end);
  while (!length.empty() &&
         (length.front() == ' ' || length.front() == ':' || length.front() == '=')) {
    length.remove_prefix(1);
  }
  TPointValue v;
  const size_t dash = key.find('-');
  if (pairs != (dash != std::string_view::npos)) return std::nullopt;
  const auto p = PointNumber(key.substr(0, dash));
  if (!p) return std::nullopt;
  v.P = *p;
  if (pairs) {
    const auto q = PointNumber(key.substr(dash + 1));
    if (!q || *q == *p) return std::nullopt;
    v.Q = *q;
  }
  if (length.empty() || length.front() == '-' || length.front() == '+') return std::nullopt;
  const auto mm = TextToUnits(length, decimals);
  if (!mm || *mm < 1 || *mm > kMaxSideMm) return std::nullopt;
  v.Mm = *mm;
  return v;
}

// The text with full-width commas, "、", colons and spaces made half-width,
// never cutting a double-byte character.
std::string HalfWidthMarks(std::string_view sjis) {
  std::string out;
  for (size_t i = 0; i < sjis.size(); ++i) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    if (!LeadByte(b) || i + 1 == sjis.size()) {
      out += sjis[i];
      continue;
    }
    const auto second = static_cast<unsigned char>(sjis[++i]);
    if (b == 0x81 && (second == 0x41 || second == 0x43)) {
      out += ',';
    } else if (b == 0x81 && second == 0x46) {
      out += ':';
    } else if (b == 0x81 && second == 0x40) {
      out += ' ';
    } else {
      out += static_cast<char>(b);
      out += static_cast<char>(second);
    }
  }
  return out;
}

template <typename Each>
void ForEachItem(std::string_view text, Each each) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view item = Trimmed(text.substr(start, end - start));
    if (!item.empty()) each(item);
    start = end + 1;
  }
}

std::string Joined(const std::vector<TPointValue>& list, const char* between, char apart,
                   int decimals) {
  std::string out;
  for (const TPointValue& v : list) {
    if (!out.empty()) out += between;
    out += std::to_string(v.P);
    if (v.Q != 0) out += '-' + std::to_string(v.Q);
    out += apart;
    out += FormatUnits(v.Mm, decimals);
  }
  return out;
}

}  // namespace

std::vector<TPointValue> ReadPointValues(std::string_view text, bool pairs) {
  std::vector<TPointValue> list;
  ForEachItem(text, [&](std::string_view item) {
    if (const auto v = ParseItem(item, pairs, 0)) list.push_back(*v);
  });
  return list;
}

std::string WritePointValues(const std::vector<TPointValue>& list) {
  return Joined(list, ",", ':', 0);
}

std::optional<std::vector<TPointValue>> ParseTypedPointValues(std::string_view sjis, bool pairs,
                                                              bool metres, std::string& bad) {
  const std::string text = HalfWidthMarks(sjis);
  std::vector<TPointValue> list;
  bool read = true;
  ForEachItem(text, [&](std::string_view item) {
    if (!read) return;
    if (const auto v = ParseItem(item, pairs, metres ? 3 : 0)) {
      list.push_back(*v);
    } else {
      bad = std::string(item);
      read = false;
    }
  });
  if (!read) return std::nullopt;
  return list;
}

std::string TypedPointValues(const std::vector<TPointValue>& list, bool metres) {
  return Joined(list, ", ", ' ', metres ? 3 : 0);
}
