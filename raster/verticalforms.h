// The vertical forms a font holds: the glyphs its 'vert' and 'vrt2'
// substitutions put in place of others when a run is written downwards
// (the long-vowel mark, the comma and full stop, small kana, brackets).
// Read from the font's GSUB table, whose bytes come from the font file.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>

// Glyph index to the index of its vertical form; empty when the table is
// malformed or has none.
std::unordered_map<uint16_t, uint16_t> VerticalForms(std::string_view gsub);
