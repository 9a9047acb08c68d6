// Linear probing over a power-of-two table kept at most half full, keys
// spread by Fibonacci hashing.
#include "ui/qt/maskcache.h"

#include <utility>

namespace {

constexpr int kFirstBits = 10;

}  // namespace

size_t MaskCache::Home(uint64_t key) const {
  return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - bits_));
}

const CoverageMask* MaskCache::Find(uint64_t key) const {
  if (keys_.empty()) return nullptr;
  const size_t mask = keys_.size() - 1;
  for (size_t i = Home(key);; i = (i + 1) & mask) {
    if (keys_[i] == key) return &masks_[places_[i] - 1];
    if (keys_[i] == 0) return nullptr;
  }
}

const CoverageMask* MaskCache::Insert(uint64_t key, CoverageMask mask) {
  if (2 * (masks_.size() + 1) > keys_.size()) Grow();
  masks_.push_back(std::move(mask));
  const size_t slotMask = keys_.size() - 1;
  size_t i = Home(key);
  while (keys_[i] != 0) i = (i + 1) & slotMask;
  keys_[i] = key;
  places_[i] = static_cast<uint32_t>(masks_.size());
  return &masks_.back();
}

void MaskCache::Clear() {
  keys_.clear();
  places_.clear();
  bits_ = 0;
  masks_.clear();
}

void MaskCache::Grow() {
  std::vector<uint64_t> keys = std::move(keys_);
  std::vector<uint32_t> places = std::move(places_);
  bits_ = bits_ == 0 ? kFirstBits : bits_ + 1;
  keys_.assign(size_t{1} << bits_, 0);
  places_.assign(keys_.size(), 0);
  const size_t slotMask = keys_.size() - 1;
  for (size_t j = 0; j < keys.size(); ++j) {
    if (keys[j] == 0) continue;
    size_t i = Home(keys[j]);
    while (keys_[i] != 0) i = (i + 1) & slotMask;
    keys_[i] = keys[j];
    places_[i] = places[j];
  }
}
