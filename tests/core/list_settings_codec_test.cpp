#include "listview/list_settings_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace k32 {
namespace {

using Ints = std::vector<int>;

TEST(ListSettingsFormat, TextsAsStored) {
  EXPECT_EQ(FormatIntegerList(Ints{0, 3, 1, 2}), "0,3,1,2");
  EXPECT_EQ(FormatIntegerList(Ints{120, 70, 70, 70, 170}), "120,70,70,70,170");
  EXPECT_EQ(FormatIntegerList(Ints{-1}), "-1");
  EXPECT_EQ(FormatIntegerList(Ints{}), "");
  EXPECT_EQ(FormatInteger(-4), "-4");
  EXPECT_EQ(FormatInteger(0), "0");
  EXPECT_EQ(FormatFlag(true), "1");
  EXPECT_EQ(FormatFlag(false), "0");
}

TEST(ListSettingsParse, IntegersInTheSigned32BitRange) {
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInteger("+5"), 5);
  EXPECT_EQ(ParseInteger("  5"), 5);
  EXPECT_EQ(ParseInteger("007"), 7);
  for (const char* bad : {"", " ", "-", "+", "2147483648", "-2147483649", "99999999999999999999", "+-5",
                          "-+5", "5 ", "5x", "0x10", "1.0", "1e3"})
    EXPECT_FALSE(ParseInteger(bad).has_value()) << '"' << bad << '"';
}

TEST(ListSettingsParse, OrderRoundTripsEveryPermutation) {
  Ints order = {0, 1, 2, 3, 4};
  int permutations = 0;
  do {
    EXPECT_EQ(ParseColumnOrder(FormatIntegerList(order), 5), order);
    ++permutations;
  } while (std::next_permutation(order.begin(), order.end()));
  EXPECT_EQ(permutations, 120);
}

TEST(ListSettingsParse, OrderThatIsNoPermutationGivesTheIdentity) {
  const Ints identity = {0, 1, 2};
  EXPECT_EQ(ParseColumnOrder("", 3), identity);        // no value
  EXPECT_EQ(ParseColumnOrder("1,x,0", 3), identity);   // unreadable entry
  EXPECT_EQ(ParseColumnOrder("1,,0", 3), identity);    // empty entry
  EXPECT_EQ(ParseColumnOrder("2,0,", 3), identity);    // too few, trailing comma
  EXPECT_EQ(ParseColumnOrder("0,0,1", 3), identity);   // repeated
  EXPECT_EQ(ParseColumnOrder("0,1,3", 3), identity);   // out of range
  EXPECT_EQ(ParseColumnOrder("0,-1,1", 3), identity);  // out of range
  EXPECT_EQ(ParseColumnOrder(",", 3), identity);
  EXPECT_EQ(ParseColumnOrder("2,0,1", 3), (Ints{2, 0, 1}));
  // Stored while the list had fewer columns: those in their order, the new ones after them.
  EXPECT_EQ(ParseColumnOrder("1,0", 3), (Ints{1, 0, 2}));
  EXPECT_EQ(ParseColumnOrder("2,0", 3), identity);
  // Shown columns by index; the first one always, a column this version lacks dropped.
  EXPECT_EQ(ParseVisibleColumns("0,2,9", 3), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(ParseVisibleColumns("2", 3), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(ParseVisibleColumns("0,x", 3), std::nullopt);
  EXPECT_EQ(ParseVisibleColumns("", 3), std::nullopt);
  EXPECT_EQ(ParseColumnOrder("2,0,1,", 3), (Ints{2, 0, 1}));
  EXPECT_EQ(ParseColumnOrder("2,0,1,7,x", 3), (Ints{2, 0, 1}));  // extra entries are ignored
  EXPECT_EQ(ParseColumnOrder("0", 1), (Ints{0}));
  EXPECT_EQ(ParseColumnOrder("1", 1), (Ints{0}));
  EXPECT_TRUE(ParseColumnOrder("0,1", 0).empty());
  EXPECT_TRUE(ParseColumnOrder("0,1", -3).empty());
}

TEST(ListSettingsParse, SizesOverTheCurrentWidths) {
  const Ints current = {120, 70, 70, 70, 170};
  EXPECT_EQ(ParseColumnSizes("100,50", current), (Ints{100, 50, 70, 70, 170}));
  EXPECT_EQ(ParseColumnSizes("1,2,3,4,5,6,7", current), (Ints{1, 2, 3, 4, 5}));
  EXPECT_EQ(ParseColumnSizes("100,abc,80", current), (Ints{100, 70, 80, 70, 170}));
  EXPECT_EQ(ParseColumnSizes("abc", current), current);  // a value, though nothing in it reads
  EXPECT_EQ(ParseColumnSizes("100,,80,", current), (Ints{100, 70, 80, 70, 170}));
  EXPECT_EQ(ParseColumnSizes("0,-2", current), (Ints{0, -2, 70, 70, 170}));
  EXPECT_EQ(ParseColumnSizes(FormatIntegerList(Ints{9, 8, 7, 6, 5}), current), (Ints{9, 8, 7, 6, 5}));
  EXPECT_FALSE(ParseColumnSizes("", current));  // no value
  EXPECT_FALSE(ParseColumnSizes("-1,50", current));
  EXPECT_FALSE(ParseColumnSizes("-1", current));
  EXPECT_FALSE(ParseColumnSizes("100", Ints{}));
  EXPECT_FALSE(ParseColumnSizes("x,50", Ints{-1, 20}));  // the first width stays -1
}

TEST(ListSettingsParse, SortDirectionAndColumn) {
  EXPECT_TRUE(ParseAscending("1"));
  EXPECT_FALSE(ParseAscending("0"));
  EXPECT_FALSE(ParseAscending("-0"));
  EXPECT_TRUE(ParseAscending(""));
  EXPECT_TRUE(ParseAscending("abc"));
  EXPECT_TRUE(ParseAscending("2"));
  EXPECT_TRUE(ParseAscending(FormatFlag(true)));
  EXPECT_FALSE(ParseAscending(FormatFlag(false)));

  EXPECT_EQ(ParseSortColumn("9", 4), 3);
  EXPECT_EQ(ParseSortColumn("-4", 4), 0);
  EXPECT_EQ(ParseSortColumn("2", 4), 2);
  EXPECT_EQ(ParseSortColumn("3", 4), 3);
  EXPECT_EQ(ParseSortColumn("4", 4), 3);
  EXPECT_EQ(ParseSortColumn("", 4), 0);
  EXPECT_EQ(ParseSortColumn("x", 4), 0);
  EXPECT_EQ(ParseSortColumn("2147483647", 5), 4);
  EXPECT_EQ(ParseSortColumn("-2147483648", 5), 0);
  EXPECT_EQ(ParseSortColumn("3", 0), 0);  // no columns
  EXPECT_EQ(ParseSortColumn(FormatInteger(-1), 5), 0);
}

TEST(ListSettingsParse, ViewStyleZeroToThreeOrUnchanged) {
  for (int style = 0; style <= 3; ++style) EXPECT_EQ(ParseViewStyle(FormatInteger(style), 3), style);
  EXPECT_EQ(ParseViewStyle("7", 3), 3);
  EXPECT_EQ(ParseViewStyle("-1", 3), 3);
  EXPECT_EQ(ParseViewStyle("abc", 3), 3);
  EXPECT_EQ(ParseViewStyle("", 1), 1);
  EXPECT_EQ(ParseViewStyle("4", 1), 1);
}

TEST(ListSettingsParse, PermutationCheck) {
  EXPECT_TRUE(IsColumnPermutation(Ints{}, 0));
  EXPECT_TRUE(IsColumnPermutation(Ints{1, 0}, 2));
  EXPECT_FALSE(IsColumnPermutation(Ints{1, 0}, 3));
  EXPECT_FALSE(IsColumnPermutation(Ints{1, 1}, 2));
  EXPECT_FALSE(IsColumnPermutation(Ints{2, 0}, 2));
  EXPECT_FALSE(IsColumnPermutation(Ints{}, -1));
}

}  // namespace
}  // namespace k32
