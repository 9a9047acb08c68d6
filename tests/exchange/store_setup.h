// Store set-ups shared by the exchange tests.
#pragma once

#include <gtest/gtest.h>

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
