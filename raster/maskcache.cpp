// Linear probing over a power-of-two table kept at most half full, keys
// spread by Fibonacci hashing.
#include "raster/maskcache.h"

#include <cstring>
#include <new>

namespace {

constexpr int kFirstBits = 10;
// Blocks of pixels; a mask of more than a quarter block gets its own.
constexpr size_t kBlockBytes = size_t{256} << 10;

}  // namespace

size_t MaskCache::Home(uint64_t key) const {
  // The face and turn pick the place, the glyph one of the 16 slots from
  // there.
  const uint64_t place = ((key >> kGlyphKeyBits) * 0x9E3779B97F4A7C15ull) >> (64 - bits_);
  const uint64_t glyphBits = key & ((uint64_t{1} << kGlyphKeyBits) - 1);
  const uint64_t glyph = (glyphBits * 0x9E3779B1u) >> 28 & 15u;
  return static_cast<size_t>((place + glyph) & (slots_.size() - 1));
}

const CoverageView* MaskCache::Find(uint64_t key) const {
  if (slots_.empty()) return nullptr;
  const size_t mask = slots_.size() - 1;
  for (size_t i = Home(key);; i = (i + 1) & mask) {
    if (slots_[i].Key == key) return slots_[i].Mask;
    if (slots_[i].Key == 0) return nullptr;
  }
}

const CoverageView* MaskCache::Insert(uint64_t key, const CoverageMask& mask) {
  if (2 * (count_ + 1) > slots_.size()) Grow();
  // The record, then the pixels, rounded up to keep the next record aligned.
  constexpr size_t kAlign = alignof(CoverageView);
  const size_t bytes = (sizeof(CoverageView) + mask.Alpha.size() + kAlign - 1) / kAlign * kAlign;
  uint8_t* room = Room(bytes);
  uint8_t* pixels = room + sizeof(CoverageView);
  if (!mask.Alpha.empty()) std::memcpy(pixels, mask.Alpha.data(), mask.Alpha.size());
  const CoverageView* kept =
      new (room) CoverageView{pixels, mask.Width, mask.Height, mask.Left, mask.Top};
  ++count_;
  Place({key, kept});
  return kept;
}

uint8_t* MaskCache::Room(size_t bytes) {
  if (bytes > kBlockBytes / 4) {
    blocks_.push_back(std::make_unique_for_overwrite<uint8_t[]>(bytes));
    return blocks_.back().get();
  }
  if (bytes > left_) {
    blocks_.push_back(std::make_unique_for_overwrite<uint8_t[]>(kBlockBytes));
    free_ = blocks_.back().get();
    left_ = kBlockBytes;
  }
  uint8_t* room = free_;
  free_ += bytes;
  left_ -= bytes;
  return room;
}

void MaskCache::Clear() {
  slots_.clear();
  bits_ = 0;
  count_ = 0;
  blocks_.clear();
  free_ = nullptr;
  left_ = 0;
}

void MaskCache::Place(const Slot& slot) {
  const size_t slotMask = slots_.size() - 1;
  size_t i = Home(slot.Key);
  while (slots_[i].Key != 0) i = (i + 1) & slotMask;
  slots_[i] = slot;
}

void MaskCache::Grow() {
  const std::vector<Slot> old = std::move(slots_);
  bits_ = bits_ == 0 ? kFirstBits : bits_ + 1;
  slots_.assign(size_t{1} << bits_, Slot{});
  for (const Slot& slot : old) {
    if (slot.Key != 0) Place(slot);
  }
}
