#include "listview/smart_compare.h"

#include <cstdint>

namespace k32 {

namespace {

template <typename T>
int Order(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

template <typename View, typename Compare>
int Collate(View a, View b, Compare compare_text) {
  return Order(compare_text(a, b), 0);
}

// Points in time are compared by their difference, as the sign of a - b; for finite values that is
// the same as comparing them directly.
int OrderTimes(double a, double b) { return Order(a - b, 0.0); }

// What the readers take: a narrow text as it is, a wide one through the locale's narrowing.
std::string_view Readable(std::string_view text, const SortLocale&, std::string&) { return text; }
std::string_view Readable(std::wstring_view text, const SortLocale& locale, std::string& storage) {
  if (locale.narrow) {
    storage = locale.narrow(text);
  } else {
    storage.assign(text.size(), '?');
    for (std::size_t i = 0; i < text.size(); ++i)
      if (static_cast<std::uint32_t>(text[i]) < 0x80) storage[i] = static_cast<char>(text[i]);
  }
  return storage;
}

template <typename View>
std::optional<double> DateTimeOf(View text, const SortLocale& locale) {
  std::string storage;
  return ReadCellDateTime(Readable(text, locale, storage), locale);
}

template <typename View>
std::optional<long double> NumberOf(View text, const SortLocale& locale) {
  std::string storage;
  return ReadCellNumber(Readable(text, locale, storage), locale);
}

template <typename View, typename Compare>
int Smart(View a, View b, TAutoSortStyle style, const SortLocale& locale, Compare compare_text,
          int direction) {
  if (style == assDefault) return Collate(a, b, compare_text) * direction;
  if (const auto ta = DateTimeOf(a, locale)) {
    if (const auto tb = DateTimeOf(b, locale)) return OrderTimes(*ta, *tb) * direction;
  }
  if (const auto na = NumberOf(a, locale)) {
    if (const auto nb = NumberOf(b, locale)) return Order(*na, *nb) * direction;
  }
  return Collate(a, b, compare_text) * direction;
}

template <typename View, typename Compare>
int As(View a, View b, TSortAs sort_as, const SortLocale& locale, Compare compare_text, int direction) {
  switch (sort_as) {
    case saString:
      return Collate(a, b, compare_text) * direction;
    case saNumeric:
      return Order(NumberOf(a, locale).value_or(0.0L), NumberOf(b, locale).value_or(0.0L)) * direction;
    case saDateTime:
      return OrderTimes(DateTimeOf(a, locale).value_or(0.0), DateTimeOf(b, locale).value_or(0.0)) * direction;
    default:
      return 0;
  }
}

template <typename Text, typename View>
BasicSortKey<Text> KeyOf(View text, const SortLocale& locale) {
  return BasicSortKey<Text>{Text(text), DateTimeOf(text, locale), NumberOf(text, locale)};
}

template <typename Key>
using TextView = std::basic_string_view<typename decltype(Key::text)::value_type>;

template <typename Key, typename Compare>
int KeyOrder(const Key& a, const Key& b, TAutoSortStyle style, Compare compare_text, int direction) {
  if (style == assSmart) {
    if (a.date_time && b.date_time) return OrderTimes(*a.date_time, *b.date_time) * direction;
    if (a.number && b.number) return Order(*a.number, *b.number) * direction;
  }
  return Collate<TextView<Key>>(a.text, b.text, compare_text) * direction;
}

template <typename Key, typename Compare>
int KeyOrderAs(const Key& a, const Key& b, TSortAs sort_as, Compare compare_text, int direction) {
  switch (sort_as) {
    case saString:
      return Collate<TextView<Key>>(a.text, b.text, compare_text) * direction;
    case saNumeric:
      return Order(a.number.value_or(0.0L), b.number.value_or(0.0L)) * direction;
    case saDateTime:
      return OrderTimes(a.date_time.value_or(0.0), b.date_time.value_or(0.0)) * direction;
    default:
      return 0;
  }
}

}  // namespace

int SmartCompare(std::string_view a, std::string_view b, TAutoSortStyle style, const SortLocale& locale,
                 TextCompareFn compare_text, int direction) {
  return Smart(a, b, style, locale, compare_text, direction);
}

int SmartCompare(std::wstring_view a, std::wstring_view b, TAutoSortStyle style, const SortLocale& locale,
                 WideTextCompareFn compare_text, int direction) {
  return Smart(a, b, style, locale, compare_text, direction);
}

int CompareAs(std::string_view a, std::string_view b, TSortAs sort_as, const SortLocale& locale,
              TextCompareFn compare_text, int direction) {
  return As(a, b, sort_as, locale, compare_text, direction);
}

int CompareAs(std::wstring_view a, std::wstring_view b, TSortAs sort_as, const SortLocale& locale,
              WideTextCompareFn compare_text, int direction) {
  return As(a, b, sort_as, locale, compare_text, direction);
}

SortKey MakeSortKey(std::string_view text, const SortLocale& locale) {
  return KeyOf<std::string>(text, locale);
}

WideSortKey MakeSortKey(std::wstring_view text, const SortLocale& locale) {
  return KeyOf<std::wstring>(text, locale);
}

int CompareSortKeys(const SortKey& a, const SortKey& b, TAutoSortStyle style, TextCompareFn compare_text,
                    int direction) {
  return KeyOrder(a, b, style, compare_text, direction);
}

int CompareSortKeysAs(const SortKey& a, const SortKey& b, TSortAs sort_as, TextCompareFn compare_text,
                      int direction) {
  return KeyOrderAs(a, b, sort_as, compare_text, direction);
}

int CompareSortKeys(const WideSortKey& a, const WideSortKey& b, TAutoSortStyle style,
                    WideTextCompareFn compare_text, int direction) {
  return KeyOrder(a, b, style, compare_text, direction);
}

int CompareSortKeysAs(const WideSortKey& a, const WideSortKey& b, TSortAs sort_as,
                      WideTextCompareFn compare_text, int direction) {
  return KeyOrderAs(a, b, sort_as, compare_text, direction);
}

}  // namespace k32
