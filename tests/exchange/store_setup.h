// Store set-ups shared by the exchange tests.
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "exchange/store.h"

// A store as after reading: defaults, every force flag raised, empty queue.
inline void StoreAsAfterReading() {
  InitStore();
  ResetCurrentAttributes();
}

// Each test starts on a fresh store and releases it at the end.
class FreshStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { InitStore(); }
  void TearDown() override { FreeStore(); }
};

// Appends a finished record and its order-index entry, as reading leaves them.
template <class T>
void PushRecord(TJwwEntKind kind, TGrowArray<T>& arr, T record) {
  JwwStore.Order.push_back({kind, static_cast<int32_t>(arr.size())});
  arr.push_back(std::move(record));
}
