// The column sort's comparison of two cells: as points in time when both texts read as such, else as
// numbers when both read as numbers, else by the locale's collation. Each pair is judged on its own,
// so one column may hold numbers, dates and words at once.
//
// That per-pair choice is not a strict weak ordering ("2" < "10" as numbers, "10" < "1x" < "2" as
// texts), so only sorts that put up with an inconsistent order may use it (the list control's own,
// std::stable_sort); std::sort may run past the end of its range.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "listview/cell_reading.h"
#include "listview/sort_locale.h"

namespace k32 {

enum TAutoColumnSort : int { acsNoSort = 0, acsSort = 1, acsSortToggle = 2 };
enum TAutoSortStyle : int { assSmart = 0, assDefault = 1 };
enum TSortAs : int { saNone = 0, saString = 1, saNumeric = 2, saDateTime = 3 };

// The collation of two whole texts: negative, zero or positive; only the sign is used.
using TextCompareFn = int (*)(std::string_view a, std::string_view b);
using WideTextCompareFn = int (*)(std::wstring_view a, std::wstring_view b);

// Every comparison below gives -1, 0 or +1, times direction (+1 ascending, -1 descending).

// The default comparison: assDefault is the collation alone; assSmart tries dates, then numbers.
int SmartCompare(std::string_view a, std::string_view b, TAutoSortStyle style, const SortLocale& locale,
                 TextCompareFn compare_text, int direction);

// The comparison a sort handler asks for: saString collates, saNumeric and saDateTime compare the
// readings with 0 for a text that does not read. saNone compares nothing and gives 0.
int CompareAs(std::string_view a, std::string_view b, TSortAs sort_as, const SortLocale& locale,
              TextCompareFn compare_text, int direction);

// The same for wide cells (names as the system holds them): they collate as wide texts, and read
// as numbers and dates through the locale's narrowing.
int SmartCompare(std::wstring_view a, std::wstring_view b, TAutoSortStyle style, const SortLocale& locale,
                 WideTextCompareFn compare_text, int direction);
int CompareAs(std::wstring_view a, std::wstring_view b, TSortAs sort_as, const SortLocale& locale,
              WideTextCompareFn compare_text, int direction);

// A cell read once for a whole sort. Comparing two keys gives exactly what comparing the two texts
// gives, without reading them again at every pair.
template <typename Text>
struct BasicSortKey {
  Text text;
  std::optional<double> date_time;
  std::optional<long double> number;
};
using SortKey = BasicSortKey<std::string>;
using WideSortKey = BasicSortKey<std::wstring>;

SortKey MakeSortKey(std::string_view text, const SortLocale& locale);
WideSortKey MakeSortKey(std::wstring_view text, const SortLocale& locale);

int CompareSortKeys(const SortKey& a, const SortKey& b, TAutoSortStyle style, TextCompareFn compare_text,
                    int direction);
int CompareSortKeysAs(const SortKey& a, const SortKey& b, TSortAs sort_as, TextCompareFn compare_text,
                      int direction);
int CompareSortKeys(const WideSortKey& a, const WideSortKey& b, TAutoSortStyle style,
                    WideTextCompareFn compare_text, int direction);
int CompareSortKeysAs(const WideSortKey& a, const WideSortKey& b, TSortAs sort_as,
                      WideTextCompareFn compare_text, int direction);

}  // namespace k32
