// Tests of the growable array: its steps, zeroed elements, stable
// references and revisions.
#include "exchange/growarray.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <string>
#include <vector>

namespace {

struct TRecord {
  int A;
  double B;
  std::string S;
};

TEST(TGrowArray, CapacityRisesInStepsOfAThousand) {
  TGrowArray<TRecord> a;
  EXPECT_EQ(a.capacity(), 0u);
  const std::vector<std::pair<size_t, size_t>> countToCapacity = {
      {1, 1000}, {1000, 1000}, {1001, 2000}, {2000, 2000}, {2001, 3000}};
  for (const auto& [count, capacity] : countToCapacity) {
    while (a.size() < count) a.emplace_back();
    EXPECT_EQ(a.capacity(), capacity) << count << " elements";
  }
  a.clear();
  EXPECT_EQ(a.size(), 0u);
  EXPECT_EQ(a.capacity(), 0u);
}

TEST(TGrowArray, NewElementsReadZeroEvenAfterReuse) {
  TGrowArray<TRecord> a;
  a.emplace_back() = {7, 2.5, "x"};
  a.clear();
  const TRecord& r = a.emplace_back();
  EXPECT_EQ(r.A, 0);
  EXPECT_EQ(r.B, 0.0);
  EXPECT_TRUE(r.S.empty());
}

TEST(TGrowArray, ElementsNeverMoveAndIterateInOrderAcrossBlocks) {
  TGrowArray<int> a;
  const int* first = &a.emplace_back();
  for (int i = 1; i < 3500; ++i) a.push_back(i);
  EXPECT_EQ(first, &a[0]);
  EXPECT_EQ(a.back(), 3499);
  std::vector<int> walked(a.begin(), a.end());
  std::vector<int> expected(3500);
  std::iota(expected.begin(), expected.end(), 0);
  EXPECT_EQ(walked, expected);
  const TGrowArray<int> copy = a;
  EXPECT_EQ(copy.size(), 3500u);
  EXPECT_EQ(copy.capacity(), 4000u);
  EXPECT_EQ(copy[2999], 2999);
}

// Only a change moves the revision, so that a second thread may read an
// array, through const or not, while nothing changes it.
TEST(TGrowArray, RevisionMovesOnAChangeNeverOnARead) {
  struct Case {
    const char* Name;
    bool Changes;
    std::function<void(TGrowArray<int>&)> Act;
  };
  const Case cases[] = {
      {"indexed", false, [](TGrowArray<int>& a) { EXPECT_EQ(a[1], 2); }},
      {"iterated", false, [](TGrowArray<int>& a) { EXPECT_EQ(*a.begin() + a.back(), 3); }},
      {"appended", true, [](TGrowArray<int>& a) { a.push_back(3); }},
      {"edited", true, [](TGrowArray<int>& a) { a.Edit(0) = 5; }},
      {"cleared", true, [](TGrowArray<int>& a) { a.clear(); }},
      {"assigned", true, [](TGrowArray<int>& a) { a = TGrowArray<int>(a); }},
  };
  for (const Case& c : cases) {
    TGrowArray<int> a;
    a.push_back(1);
    a.push_back(2);
    const uint64_t before = a.Revision();
    c.Act(a);
    EXPECT_EQ(a.Revision() != before, c.Changes) << c.Name;
  }
}

}  // namespace
