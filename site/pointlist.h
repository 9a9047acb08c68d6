// Lists of points with a length each: check distances and setbacks by a
// pair of points, corner cuts by one. The table files' block keeps them in
// whole millimetres ("1-3:15620,2-4:12010", "1:2000"); the user types them
// in the table's unit, the way surveyors write them down ("1-3 15.620,
// 2-4 12.010").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Sides beyond this (10 km) are no site's; they keep every product within
// 64 bits.
inline constexpr int64_t kMaxSideMm = 10'000'000;

struct TPointValue {
  int32_t P = 0;
  int32_t Q = 0;   // the pair's second point; 0 for a corner
  int64_t Mm = 0;  // 1 .. kMaxSideMm
  bool operator==(const TPointValue&) const = default;
};

// The block's list; an item that does not read is left out.
std::vector<TPointValue> ReadPointValues(std::string_view text, bool pairs);
std::string WritePointValues(const std::vector<TPointValue>& list);

// The typed text (Shift-JIS): items apart by commas (half or full width) or
// "、", each the point ("1") or the pair ("1-3"), then a space, ":" or "=",
// then the length in m (metres) or mm. Blank is the empty list. Nothing
// when an item does not read; bad then holds that item.
std::optional<std::vector<TPointValue>> ParseTypedPointValues(std::string_view sjis, bool pairs,
                                                              bool metres, std::string& bad);
// The list as the user would type it.
std::string TypedPointValues(const std::vector<TPointValue>& list, bool metres);
