// The glyph coverages a canvas keeps, found by a 64-bit key. A redraw of
// many texts looks a glyph up for every character it draws, so the keys sit
// in one flat array probed in place, where a node per entry would cost a
// cache miss or more on each look-up.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "ui/qt/coverage.h"

class MaskCache {
 public:
  // The mask under the key, or null.
  const CoverageMask* Find(uint64_t key) const;
  // Keeps the mask under a key not yet held. The mask stays where it is,
  // whatever is added after it, until Clear.
  const CoverageMask* Insert(uint64_t key, CoverageMask mask);
  void Clear();
  size_t Size() const { return masks_.size(); }

 private:
  // The first slot to probe for the key in a table of 2^bits_ slots.
  size_t Home(uint64_t key) const;
  void Grow();

  // A key (0 for none; a glyph's key is never 0) and its mask, side by
  // side, so a look-up reads one slot.
  struct Slot {
    uint64_t Key = 0;
    const CoverageMask* Mask = nullptr;
  };
  // Puts the slot in the first free place from its key's home.
  void Place(const Slot& slot);
  std::vector<Slot> slots_;
  int bits_ = 0;
  std::deque<CoverageMask> masks_;
};
