// The fixture of the tests that render: each test starts with an empty
// store in the square view at its defaults, and leaves the Esc key released
// and the store empty.
#pragma once

#include <gtest/gtest.h>

#include "common/escape.h"
#include "exchange/store.h"
#include "preview/gval.h"
#include "tests/preview/square_view.h"

class EmptyStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitStore();
    CreateGraAttribute();
    ShowSquareView();
  }
  void TearDown() override {
    SetEscapeQuery({});
    InitStore();
  }
};
