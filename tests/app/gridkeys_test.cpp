// The table's keys: where cursor and anchor go, and what is to be done.
#include "app/gridkeys.h"

#include <gtest/gtest.h>

#include <span>

#include "exchange/tablefile.h"

namespace {

using K = TGridKey;
using A = TGridAction;
constexpr int32_t kLast = kTableRows;

struct Case {
  K key;
  bool shift, ctrl, editing;
  TCellPos cursor, anchor;
  TGridKeyResult expected;
};

// Each case with a page of 10 rows.
void Check(std::span<const Case> cases) {
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    const TGridKeyResult got =
        GridKeyAction(c.key, c.shift, c.ctrl, {c.cursor, c.anchor, 10, c.editing});
    EXPECT_EQ(got, c.expected) << "case " << i;
  }
}

TEST(GridKeyAction, MovesInsideTheTableStretchingWithShift) {
  const Case cases[] = {
      {K::Down, false, false, false, {2, 3}, {4, 9}, {A::Move, {2, 4}, {2, 4}}},
      {K::Down, true, false, false, {2, 3}, {4, 9}, {A::Move, {2, 4}, {4, 9}}},
      {K::Up, false, false, false, {1, 1}, {1, 1}, {A::Move, {1, 1}, {1, 1}}},
      {K::Left, true, false, false, {1, 4}, {3, 4}, {A::Move, {1, 4}, {3, 4}}},
      {K::Right, false, true, false, {5, 4}, {5, 4}, {A::Move, {5, 4}, {5, 4}}},
      {K::PageDown, false, false, false, {2, 5}, {2, 5}, {A::Move, {2, 15}, {2, 15}}},
      {K::PageDown, true, false, false, {2, kLast - 3}, {1, 1}, {A::Move, {2, kLast}, {1, 1}}},
      {K::PageUp, false, false, false, {2, 5}, {2, 5}, {A::Move, {2, 1}, {2, 1}}},
      {K::Home, false, false, false, {3, 7}, {3, 7}, {A::Move, {1, 7}, {1, 7}}},
      {K::Home, true, true, false, {3, 7}, {3, 7}, {A::Move, {1, 1}, {3, 7}}},
      {K::End, false, true, false, {3, 7}, {3, 7}, {A::Move, {5, kLast}, {5, kLast}}},
      {K::Tab, false, false, false, {5, 1}, {5, 1}, {A::Move, {1, 2}, {1, 2}}},
      {K::Tab, true, false, false, {1, 2}, {3, 4}, {A::Move, {5, 1}, {5, 1}}},
      {K::Tab, true, false, false, {1, 1}, {1, 1}, {A::Move, {5, 1}, {5, 1}}},
      {K::Tab, false, false, false, {5, kLast}, {5, kLast}, {A::Move, {1, kLast}, {1, kLast}}},
      {K::Enter, false, false, false, {3, 4}, {1, 1}, {A::Move, {3, 5}, {3, 5}}},
      {K::Enter, true, false, false, {3, 1}, {3, 1}, {A::Move, {3, 1}, {3, 1}}},
  };
  Check(cases);
}

TEST(GridKeyAction, NamesWhatTheOtherKeysDo) {
  const Case cases[] = {
      {K::F2, false, false, false, {2, 3}, {4, 9}, {A::Edit, {2, 3}, {2, 3}}},
      {K::Character, false, false, false, {2, 3}, {4, 9}, {A::Type, {2, 3}, {2, 3}}},
      {K::Character, false, true, false, {2, 3}, {4, 9}, {A::None, {2, 3}, {4, 9}}},
      {K::Delete, false, false, false, {2, 3}, {4, 9}, {A::Clear, {2, 3}, {4, 9}}},
      {K::Backspace, true, false, false, {2, 3}, {4, 9}, {A::None, {2, 3}, {4, 9}}},
      {K::Delete, false, true, false, {2, 3}, {4, 9}, {A::None, {2, 3}, {4, 9}}},
      {K::C, false, true, false, {2, 3}, {2, 3}, {A::Copy, {2, 3}, {2, 3}}},
      {K::V, false, true, false, {2, 3}, {2, 3}, {A::Paste, {2, 3}, {2, 3}}},
      {K::E, false, true, false, {2, 3}, {2, 3}, {A::ToggleArea, {2, 3}, {2, 3}}},
      {K::E, false, false, false, {2, 3}, {2, 3}, {A::None, {2, 3}, {2, 3}}},
      {K::Escape, false, false, false, {2, 3}, {2, 3}, {A::None, {2, 3}, {2, 3}}},
  };
  Check(cases);
}

TEST(GridKeyAction, LeavesTheEditorItsOwnKeys) {
  const Case cases[] = {
      {K::Escape, false, false, true, {2, 3}, {2, 3}, {A::CancelEdit, {2, 3}, {2, 3}}},
      {K::Enter, false, false, true, {2, 3}, {2, 3}, {A::Move, {2, 4}, {2, 4}}},
      {K::Up, true, false, true, {2, 3}, {2, 3}, {A::Move, {2, 2}, {2, 3}}},
      {K::Tab, false, false, true, {2, 3}, {2, 3}, {A::Move, {3, 3}, {3, 3}}},
      {K::Left, false, false, true, {2, 3}, {2, 3}, {A::None, {2, 3}, {2, 3}}},
      {K::Home, false, true, true, {2, 3}, {2, 3}, {A::None, {2, 3}, {2, 3}}},
      {K::Delete, false, false, true, {2, 3}, {2, 3}, {A::None, {2, 3}, {2, 3}}},
      {K::C, false, true, true, {2, 3}, {2, 3}, {A::None, {2, 3}, {2, 3}}},
      {K::F2, false, false, true, {2, 3}, {2, 3}, {A::None, {2, 3}, {2, 3}}},
  };
  Check(cases);
}

}  // namespace
