// The growable array of the store and the output queue. Its capacity rises
// in steps of 1000 elements: to 1000, 2000, 3000 ... when the 1st, 1001st,
// 2001st ... element is appended, and new elements read 0 in every field.
// The elements live in blocks of 1000 that never move, so appending to a
// drawing of a million entities copies nothing and references stay valid.
//
// A revision tells a reader that keeps something worked out from the
// elements (the renderer's block boxes) whether it still holds: it changes
// on every append, clear and assignment, and on Edit, the one access that
// hands out an element to write. Reading never moves it, through a const
// array or not, so a reader on a second thread may read while nothing is
// changed. Revisions come from one counter for all arrays of an element
// type: an array emptied and filled again, or replaced by another, never
// shows a revision it had before, but 0 while it is new and untouched (and
// then empty).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <type_traits>
#include <vector>

template <class T>
class TGrowArray {
 public:
  static constexpr size_t kStep = 1000;

  using value_type = T;
  using size_type = size_t;
  using reference = T&;
  using const_reference = const T&;

  template <bool Const>
  class Iter {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using Owner = std::conditional_t<Const, const TGrowArray, TGrowArray>;
    using pointer = std::conditional_t<Const, const T*, T*>;
    using reference = std::conditional_t<Const, const T&, T&>;

    Iter() = default;
    Iter(Owner* owner, size_t i) : owner_(owner), i_(i) { Enter(); }

    reference operator*() const { return *p_; }
    pointer operator->() const { return p_; }
    Iter& operator++() {
      ++i_;
      if (++p_ == blockEnd_) Enter();
      return *this;
    }
    Iter operator++(int) {
      Iter old = *this;
      ++*this;
      return old;
    }
    bool operator==(const Iter& o) const { return i_ == o.i_; }

   private:
    // Points at element i_, at the start of its block (none past the end).
    void Enter() {
      if (i_ >= owner_->size_) return;
      const pointer block = owner_->blocks_[i_ / kStep].get();
      p_ = block + i_ % kStep;
      blockEnd_ = block + kStep;
    }

    Owner* owner_ = nullptr;
    size_t i_ = 0;
    pointer p_ = nullptr;
    pointer blockEnd_ = nullptr;
  };
  using iterator = Iter<true>;
  using const_iterator = Iter<true>;

  TGrowArray() = default;
  TGrowArray(TGrowArray&&) noexcept = default;
  TGrowArray& operator=(TGrowArray&&) noexcept = default;
  TGrowArray(const TGrowArray& o) { *this = o; }
  TGrowArray& operator=(const TGrowArray& o) {
    if (this == &o) return *this;
    Touch();
    clear();
    for (const T& v : o) push_back(v);
    return *this;
  }

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  size_t capacity() const { return blocks_.size() * kStep; }

  const T& operator[](size_t i) const {
    CheckIndex(i);
    return blocks_[i / kStep][i % kStep];
  }
  const T& front() const { return (*this)[0]; }
  const T& back() const { return (*this)[size_ - 1]; }

  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size_}; }

  // Element i to write in place: the array takes a new revision.
  T& Edit(size_t i) {
    CheckIndex(i);
    Touch();
    return blocks_[i / kStep][i % kStep];
  }

  // A new element with every field 0, grown by one block when full.
  T& emplace_back() {
    if (size_ == capacity()) blocks_.push_back(std::make_unique<T[]>(kStep));
    ++size_;
    return Edit(size_ - 1);
  }
  void push_back(const T& v) { emplace_back() = v; }
  void push_back(T&& v) { emplace_back() = std::move(v); }

  // Empties the array and releases its storage.
  void clear() {
    Touch();
    blocks_.clear();
    blocks_.shrink_to_fit();
    size_ = 0;
  }

  uint64_t Revision() const { return revision_; }

 private:
  // The counter the arrays of this element type draw their revisions from.
  static inline uint64_t lastRevision_ = 0;

  void Touch() { revision_ = ++lastRevision_; }

  // An index past the end reads a stale or a foreign element without a
  // sign, within the last block or beyond it: debug and sanitizer builds
  // stop there.
  void CheckIndex([[maybe_unused]] size_t i) const {
#ifndef NDEBUG
    if (i >= size_) {
      std::fprintf(stderr, "TGrowArray: index %zu past the end (%zu)\n", i, size_);
      std::abort();
    }
#endif
  }

  std::vector<std::unique_ptr<T[]>> blocks_;
  size_t size_ = 0;
  uint64_t revision_ = 0;
};
