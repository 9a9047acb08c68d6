// A walk of the GSUB table down to the single substitutions of its vertical
// features; every offset is checked against the table's end, since a font
// file may hold anything.
#include "raster/verticalforms.h"

#include <vector>

namespace {

// Big-endian reads that give up on reading past the end.
class Table {
 public:
  explicit Table(std::string_view bytes) : bytes_(bytes) {}
  bool Has(size_t at, size_t count) const {
    return at <= bytes_.size() && count <= bytes_.size() - at;
  }
  uint16_t U16(size_t at, bool& ok) const {
    if (!Has(at, 2)) {
      ok = false;
      return 0;
    }
    return static_cast<uint16_t>((static_cast<uint8_t>(bytes_[at]) << 8) |
                                 static_cast<uint8_t>(bytes_[at + 1]));
  }
  uint32_t U32(size_t at, bool& ok) const {
    return (static_cast<uint32_t>(U16(at, ok)) << 16) | U16(at + 2, ok);
  }
  std::string_view Tag(size_t at, bool& ok) const {
    if (!Has(at, 4)) {
      ok = false;
      return {};
    }
    return bytes_.substr(at, 4);
  }

 private:
  std::string_view bytes_;
};

// No font has more glyphs than a 16-bit index reaches.
constexpr size_t kMaxGlyphs = 65536;

// The glyphs of a coverage table, in coverage order.
std::vector<uint16_t> Coverage(const Table& t, size_t at, bool& ok) {
  std::vector<uint16_t> glyphs;
  const uint16_t format = t.U16(at, ok);
  const uint16_t count = t.U16(at + 2, ok);
  if (format == 1) {
    for (uint16_t i = 0; i < count && ok; ++i) glyphs.push_back(t.U16(at + 4 + 2 * i, ok));
  } else if (format == 2) {
    for (uint16_t i = 0; i < count && ok; ++i) {
      const size_t range = at + 4 + 6 * size_t{i};
      const uint16_t first = t.U16(range, ok);
      const uint16_t last = t.U16(range + 2, ok);
      for (uint32_t g = first; g <= last && glyphs.size() < kMaxGlyphs; ++g) {
        glyphs.push_back(static_cast<uint16_t>(g));
      }
    }
  }
  return glyphs;
}

// One single-substitution subtable's pairs into the map.
void SingleSubstitution(const Table& t, size_t at, std::unordered_map<uint16_t, uint16_t>& out,
                        bool& ok) {
  const uint16_t format = t.U16(at, ok);
  const std::vector<uint16_t> glyphs = Coverage(t, at + t.U16(at + 2, ok), ok);
  if (!ok) return;
  if (format == 1) {
    const uint16_t delta = t.U16(at + 4, ok);
    for (uint16_t g : glyphs) out.emplace(g, static_cast<uint16_t>(g + delta));
  } else if (format == 2) {
    const uint16_t count = t.U16(at + 4, ok);
    for (size_t i = 0; i < glyphs.size() && i < count && ok; ++i) {
      out.emplace(glyphs[i], t.U16(at + 6 + 2 * i, ok));
    }
  }
}

}  // namespace

std::unordered_map<uint16_t, uint16_t> VerticalForms(std::string_view gsub) {
  constexpr uint16_t kSingle = 1;
  constexpr uint16_t kExtension = 7;
  std::unordered_map<uint16_t, uint16_t> forms;
  const Table t(gsub);
  bool ok = true;
  const size_t features = t.U16(6, ok);
  const size_t lookups = t.U16(8, ok);
  // The lookups of every 'vert' and 'vrt2' feature, whatever the script.
  std::vector<uint16_t> wanted;
  const uint16_t featureCount = t.U16(features, ok);
  for (uint16_t i = 0; i < featureCount && ok; ++i) {
    const size_t record = features + 2 + 6 * size_t{i};
    const std::string_view tag = t.Tag(record, ok);
    if (tag != "vert" && tag != "vrt2") continue;
    const size_t feature = features + t.U16(record + 4, ok);
    const uint16_t count = t.U16(feature + 2, ok);
    for (uint16_t k = 0; k < count && ok; ++k) wanted.push_back(t.U16(feature + 4 + 2 * k, ok));
  }
  const uint16_t lookupCount = t.U16(lookups, ok);
  for (uint16_t index : wanted) {
    if (!ok || index >= lookupCount) break;
    const size_t lookup = lookups + t.U16(lookups + 2 + 2 * size_t{index}, ok);
    const uint16_t type = t.U16(lookup, ok);
    const uint16_t subtables = t.U16(lookup + 4, ok);
    for (uint16_t s = 0; s < subtables && ok; ++s) {
      size_t subtable = lookup + t.U16(lookup + 6 + 2 * size_t{s}, ok);
      uint16_t subtype = type;
      if (type == kExtension) {
        subtype = t.U16(subtable + 2, ok);
        subtable += t.U32(subtable + 4, ok);
      }
      if (subtype == kSingle) SingleSubstitution(t, subtable, forms, ok);
    }
  }
  if (!ok) forms.clear();
  return forms;
}
