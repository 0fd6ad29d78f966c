#include "mowik/frontend/cls_stack_collection.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(ClsStackCollection, PositionsAreOneBasedAndMissingOnesAreHarmless) {
  ClsStackCollection list;
  list.Push(L"a");
  list.Push(L"b");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Item(1), L"a");
  EXPECT_EQ(list.Item(2), L"b");
  EXPECT_EQ(list.Item(0), L"");
  EXPECT_EQ(list.Item(3), L"");
  EXPECT_EQ(list.Item(-1), L"");

  list.Replace(2, L"c");
  list.Replace(0, L"x");
  list.Replace(3, L"x");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Item(1), L"a");
  EXPECT_EQ(list.Item(2), L"c");

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Item(1), L"");
}

TEST(ClsStackCollection, PhonemeListIsOneProgramWideList) {
  EXPECT_EQ(&PhonemeList(), &PhonemeList());
}

}  // namespace
}  // namespace mowik
