#include "listview/smart_compare.h"

namespace k32 {

namespace {

template <typename T>
int Order(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int Collate(std::string_view a, std::string_view b, TextCompareFn compare_text) {
  return Order(compare_text(a, b), 0);
}

// Points in time are compared by their difference, as the sign of a - b; for finite values that is
// the same as comparing them directly.
int OrderTimes(double a, double b) { return Order(a - b, 0.0); }

}  // namespace

int SmartCompare(std::string_view a, std::string_view b, TAutoSortStyle style, const SortLocale& locale,
                 TextCompareFn compare_text, int direction) {
  if (style == assDefault) return Collate(a, b, compare_text) * direction;
  if (const auto ta = ReadCellDateTime(a, locale)) {
    if (const auto tb = ReadCellDateTime(b, locale)) return OrderTimes(*ta, *tb) * direction;
  }
  if (const auto na = ReadCellNumber(a, locale)) {
    if (const auto nb = ReadCellNumber(b, locale)) return Order(*na, *nb) * direction;
  }
  return Collate(a, b, compare_text) * direction;
}

int CompareAs(std::string_view a, std::string_view b, TSortAs sort_as, const SortLocale& locale,
              TextCompareFn compare_text, int direction) {
  switch (sort_as) {
    case saString:
      return Collate(a, b, compare_text) * direction;
    case saNumeric:
      return Order(ReadCellNumber(a, locale).value_or(0.0L), ReadCellNumber(b, locale).value_or(0.0L)) *
             direction;
    case saDateTime:
      return OrderTimes(ReadCellDateTime(a, locale).value_or(0.0),
                        ReadCellDateTime(b, locale).value_or(0.0)) *
             direction;
    default:
      return 0;
  }
}

SortKey MakeSortKey(std::string_view text, const SortLocale& locale) {
  return SortKey{std::string(text), ReadCellDateTime(text, locale), ReadCellNumber(text, locale)};
}

int CompareSortKeys(const SortKey& a, const SortKey& b, TAutoSortStyle style, TextCompareFn compare_text,
                    int direction) {
  if (style == assSmart) {
    if (a.date_time && b.date_time) return OrderTimes(*a.date_time, *b.date_time) * direction;
    if (a.number && b.number) return Order(*a.number, *b.number) * direction;
  }
  return Collate(a.text, b.text, compare_text) * direction;
}

int CompareSortKeysAs(const SortKey& a, const SortKey& b, TSortAs sort_as, TextCompareFn compare_text,
                      int direction) {
  switch (sort_as) {
    case saString:
      return Collate(a.text, b.text, compare_text) * direction;
    case saNumeric:
      return Order(a.number.value_or(0.0L), b.number.value_or(0.0L)) * direction;
    case saDateTime:
      return OrderTimes(a.date_time.value_or(0.0), b.date_time.value_or(0.0)) * direction;
    default:
      return 0;
  }
}

}  // namespace k32
