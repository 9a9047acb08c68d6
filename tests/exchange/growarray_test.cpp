// Tests of the growable array: its steps, zeroed elements and stable
// references.
#include "exchange/growarray.h"

#include <gtest/gtest.h>

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

}  // namespace
