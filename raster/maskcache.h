// The glyph coverages a canvas keeps, found by a 64-bit key. A redraw of
// many texts looks a glyph up for every character it draws, so the keys sit
// in one flat array probed in place, where a node per entry would cost a
// cache miss or more on each look-up. The pixels of tens of thousands of
// small masks are packed into large blocks, each mask's size and place just
// before its pixels: a block of its own for each would cost the allocator's
// overhead on every mask and scatter them between the short-lived buffers
// they are filled in, and a record apart from its pixels would cost a cache
// miss more on every glyph drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "raster/coverage.h"

// The key of a glyph's mask: the face above bit 34, the step of its turn in
// bits 18 to 33, and below them the glyph's bytes with their count.
inline constexpr int kGlyphKeyBits = 18;
inline uint64_t MaskKey(int face, int step, uint64_t glyph) {
  return (static_cast<uint64_t>(face) << 34) | (static_cast<uint64_t>(step) << kGlyphKeyBits) |
         glyph;
}

class MaskCache {
 public:
  // The mask under the key, or null.
  const CoverageView* Find(uint64_t key) const;
  // Keeps a copy of the mask under a key not yet held. The copy stays where
  // it is, whatever is added after it, until Clear.
  const CoverageView* Insert(uint64_t key, const CoverageMask& mask);
  void Clear();
  size_t Size() const { return count_; }

 private:
  // The first slot to probe for the key in a table of 2^bits_ slots. The
  // glyphs of one face and turn, which a text draws one after another, lie
  // within a few lines of memory of one another.
  size_t Home(uint64_t key) const;
  void Grow();

  // A key (0 for none; a glyph's key is never 0) and its mask, side by
  // side, so a look-up reads one slot.
  struct Slot {
    uint64_t Key = 0;
    const CoverageView* Mask = nullptr;
  };
  // Puts the slot in the first free place from its key's home.
  void Place(const Slot& slot);
  std::vector<Slot> slots_;
  int bits_ = 0;
  // Room for a mask, in the current block or one of its own.
  uint8_t* Room(size_t bytes);
  size_t count_ = 0;
  std::vector<std::unique_ptr<uint8_t[]>> blocks_;
  uint8_t* free_ = nullptr;
  size_t left_ = 0;
};
