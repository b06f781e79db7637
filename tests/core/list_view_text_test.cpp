#include "listview/list_view_text.h"

#include <gtest/gtest.h>

namespace k32 {
namespace {

TEST(InfoTipText, ReplacesOrAppendsAndCutsToTheBufferWithItsZero) {
  EXPECT_EQ(FitInfoTip("old", "caption", false, 80), "caption");
  EXPECT_EQ(FitInfoTip("old ", "caption", true, 80), "old caption");
  EXPECT_EQ(FitInfoTip("", "abcdefgh", false, 5), "abcd");  // four bytes and the zero
  EXPECT_EQ(FitInfoTip("abc", "defgh", true, 5), "abcd");
  EXPECT_EQ(FitInfoTip("", "abcd", false, 5), "abcd");
  EXPECT_EQ(FitInfoTip("", "abc", false, 1), "");
  EXPECT_EQ(FitInfoTip("", "abc", false, 0), "");
  EXPECT_EQ(FitInfoTip("", "abc", false, -3), "");
}

TEST(InfoTipText, NeverSplitsADoubleByteCharacter) {
  const std::string caption = "a进程";  // 1 + 2 + 2 bytes in code page 936
  ASSERT_EQ(caption.size(), 5u);
  EXPECT_EQ(FitInfoTip("", caption, false, 5), "a进");  // 4 bytes would split the second character
  EXPECT_EQ(FitInfoTip("", caption, false, 4), "a进");
  EXPECT_EQ(FitInfoTip("", caption, false, 3), "a");
  EXPECT_EQ(FitInfoTip("", caption, false, 6), caption);
}

TEST(TypeAhead, KeysWithinASecondBuildOneText) {
  TypeAheadText typed;
  EXPECT_EQ(typed.With('a', 5000), "a");
  typed.Commit("a", 5000);
  EXPECT_EQ(typed.With('b', 5999), "ab");
  typed.Commit("ab", 5999);
  EXPECT_EQ(typed.With('c', 6999), "c");  // a full second later
  // Across the wrap of the tick counter.
  typed.Commit("x", 0xFFFFFF00u);
  EXPECT_EQ(typed.With('y', 0x00000010u), "xy");
}

}  // namespace
}  // namespace k32
