#include "listview/smart_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace k32 {
namespace {

int Bytes(std::string_view a, std::string_view b) { return a.compare(b); }
int ReversedBytes(std::string_view a, std::string_view b) { return b.compare(a); }
// Like the user collation of many locales: letters by their upper case, small before capital.
int LowerFirst(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const int fa = std::toupper(static_cast<unsigned char>(a[i]));
    const int fb = std::toupper(static_cast<unsigned char>(b[i]));
    if (fa != fb) return fa - fb;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return -a.compare(b);
}

SortLocale UsLocale() { return MakeSortLocale(",", ".", "/", ":", "M/d/yyyy", "AM", "PM", 2024); }
SortLocale GermanLocale() { return MakeSortLocale(".", ",", ".", ":", "dd.MM.yyyy", "", "", 2024); }
SortLocale ChineseLocale() { return MakeSortLocale(",", ".", "/", ":", "yyyy/M/d", "上午", "下午", 2024); }
SortLocale FinnishLocale() { return MakeSortLocale(" ", ",", ".", ".", "d.M.yyyy", "ap.", "ip.", 2024); }

int Smart(std::string_view a, std::string_view b, const SortLocale& locale = UsLocale(),
          TextCompareFn text = Bytes) {
  return SmartCompare(a, b, assSmart, locale, text, +1);
}

TEST(SmartCompare, NumbersWhereBothRead) {
  EXPECT_EQ(Smart("9", "10"), -1);
  EXPECT_EQ(Smart("10", "9"), 1);
  EXPECT_EQ(Smart("1,234", "999"), 1);
  EXPECT_EQ(Smart("12 K", "3 K"), 1);
  EXPECT_EQ(Smart("1024 K", "999 K"), 1);
  EXPECT_EQ(Smart("-5", "3"), -1);
  EXPECT_EQ(Smart("5.", "5"), 0);
  EXPECT_EQ(Smart(".", "0"), 0);
  EXPECT_EQ(Smart("E5", "0"), 0);
  EXPECT_EQ(Smart("-1074331648", "4194304"), -1);
}

// The handle column of a 64-bit build: signed decimals of 10 to 20 characters, some one apart.
TEST(SmartCompare, HandleTextsOfSixtyFourBitsInIntegerOrder) {
  if constexpr (std::numeric_limits<long double>::digits >= 64) {
    std::vector<std::int64_t> values = {
        INT64_MIN,      INT64_MIN + 1, INT64_MAX,   INT64_MAX - 1, 0x7FF6A1B20000,
        0x7FF6A1B20001, 14722400256,   -1074331648, 4194304,       -1};
    std::mt19937_64 random(7);
    for (int i = 0; i < 200; ++i) {
      const auto v = static_cast<std::int64_t>(random() >> (random() % 40));
      values.push_back(i % 2 ? v : -v);
      values.push_back(values.back() + 1);
    }
    std::vector<std::string> texts;
    for (const std::int64_t v : values) texts.push_back(std::to_string(v));
    std::sort(texts.begin(), texts.end(),
              [](const std::string& a, const std::string& b) { return Smart(a, b, ChineseLocale()) < 0; });
    std::sort(values.begin(), values.end());
    for (std::size_t i = 0; i < values.size(); ++i) ASSERT_EQ(texts[i], std::to_string(values[i])) << i;
  }
}

TEST(SmartCompare, TextWhereEitherDoesNotRead) {
  EXPECT_EQ(Smart("1e", "10"), 1);  // as text "10" < "1e"; as numbers it would be 1 < 10
  EXPECT_EQ(Smart("", "-5"), -1);   // as text; the empty text read as 0 would come after -5
  EXPECT_EQ(Smart("", "5"), -1);
  EXPECT_EQ(Smart("12K", "3K"), -1);  // no blank to cut at
  EXPECT_EQ(Smart("abc", "10"), 1);
  EXPECT_EQ(Smart("abc", "10", UsLocale(), ReversedBytes), -1);  // the collation passed in decides
  EXPECT_EQ(Smart("Abc", "abc"), -1);
  EXPECT_EQ(Smart("Abc", "abc", UsLocale(), LowerFirst), 1);
  EXPECT_EQ(Smart("5", "12/1/2000"), 1);  // a number against a date: text
  EXPECT_EQ(Smart("C:\\TEMP", "9:05"), 1);
  EXPECT_EQ(Smart("1/", "1/5/"), -1);
}

TEST(SmartCompare, PointsInTime) {
  EXPECT_EQ(Smart("12/1/2000", "1/2/2001"), -1);  // text order would put it after
  EXPECT_EQ(Smart("9:05", "12:30"), -1);
  EXPECT_EQ(Smart("9:05 PM", "12:30"), 1);
  EXPECT_EQ(Smart("12/1/2000 9:05", "12/1/2000 12:30"), -1);
  EXPECT_EQ(Smart("12/1/2000 0:00", "12/1/2000"), 0);
  EXPECT_EQ(Smart("1/1/73", "1/1/74"), 1);  // 2073 and 1974
}

TEST(SmartCompare, DayFirstAndOtherSeparators) {
  const SortLocale de = GermanLocale();
  EXPECT_EQ(Smart("13.1.2000", "2.1.2000", de), 1);   // 13 and 2 January; as text it would be -1
  EXPECT_EQ(Smart("1.12.2000", "2.1.2001", de), -1);  // as text it would be -1 too, but
  EXPECT_EQ(Smart("2.12.2000", "1.1.2001", de), -1);  // here text would say +1
  EXPECT_EQ(Smart("1.2.3", "2.1.3", de), 1);          // dates before numbers (123, 213)
  EXPECT_EQ(Smart("1.234,5", "999,9", de), 1);
  EXPECT_EQ(Smart("2,5", "10", de), -1);
  EXPECT_EQ(Smart("13/1/2000", "2/1/2000", de), -1);  // "/" is no separator here: text

  const SortLocale fi = FinnishLocale();
  EXPECT_EQ(Smart("9.50", "9.6", fi), 1);  // times 9:50 and 9:06 come before numbers 9.5 and 9.6
  EXPECT_EQ(Smart("2,5", "10", fi), -1);

  const SortLocale cn = ChineseLocale();
  EXPECT_EQ(Smart("2000/12/1", "2001/1/2", cn), -1);
  EXPECT_EQ(Smart("下午 1:00", "上午 11:00", cn), 1);
  EXPECT_EQ(Smart("12/1/2000", "1/2/2001", cn), 1);  // year first: 12/1/2000 does not exist, so text
}

TEST(SmartCompare, DescendingNegatesEveryResult) {
  const SortLocale us = UsLocale();
  const std::vector<std::string> cells = {"9",   "10",  "5.",        "5",    "",
                                          "abc", "Abc", "12/1/2000", "9:05", "1,234"};
  int equal_pairs = 0;
  for (const auto& a : cells) {
    for (const auto& b : cells) {
      const int up = SmartCompare(a, b, assSmart, us, Bytes, +1);
      EXPECT_EQ(SmartCompare(a, b, assSmart, us, Bytes, -1), -up) << a << " / " << b;
      EXPECT_EQ(SmartCompare(a, b, assDefault, us, Bytes, -1), -SmartCompare(a, b, assDefault, us, Bytes, 1));
      equal_pairs += up == 0;
    }
  }
  EXPECT_EQ(equal_pairs, static_cast<int>(cells.size()) + 2);  // each with itself, and 5. with 5
}

TEST(SmartCompare, DefaultStyleIsTheCollationAlone) {
  const SortLocale us = UsLocale();
  EXPECT_EQ(SmartCompare("9", "10", assDefault, us, Bytes, 1), 1);
  EXPECT_EQ(SmartCompare("5.", "5", assDefault, us, Bytes, 1), 1);
  EXPECT_EQ(SmartCompare("12/1/2000", "1/2/2001", assDefault, us, Bytes, 1), 1);
  EXPECT_EQ(SmartCompare("a", "b", assDefault, us, ReversedBytes, 1), 1);
}

TEST(CompareAs, TextsThatDoNotReadCountAsZero) {
  const SortLocale us = UsLocale();
  EXPECT_EQ(CompareAs("abc", "-1", saNumeric, us, Bytes, 1), 1);
  EXPECT_EQ(CompareAs("abc", "xyz", saNumeric, us, Bytes, 1), 0);
  EXPECT_EQ(CompareAs("12 K", "3 K", saNumeric, us, Bytes, -1), -1);
  EXPECT_EQ(CompareAs("x", "12:00", saDateTime, us, Bytes, 1), -1);
  EXPECT_EQ(CompareAs("x", "12/30/1899", saDateTime, us, Bytes, 1), 0);
  EXPECT_EQ(CompareAs("x", "12/29/1899", saDateTime, us, Bytes, 1), 1);
  EXPECT_EQ(CompareAs("9", "10", saString, us, Bytes, 1), 1);
  EXPECT_EQ(CompareAs("9", "10", saString, us, Bytes, -1), -1);
  EXPECT_EQ(CompareAs("9", "10", saNone, us, Bytes, 1), 0);
}

// Texts shaped like numbers, dates and times of the locale, or nearly so, and loose pieces that the
// readers treat specially.
class CellGenerator {
 public:
  CellGenerator(std::mt19937& random, const SortLocale& locale) : random_(random), locale_(locale) {}

  std::string Next() {
    switch (Pick(4)) {
      case 0:
        return Number();
      case 1:
        return Date() + (Pick(2) ? " " + Time() : "") + Noise();
      case 2:
        return Time() + Noise();
      default: {
        std::string text;
        for (int n = Pick(5); n > 0; --n) text += kPieces[Pick(std::size(kPieces))];
        return text;
      }
    }
  }

 private:
  static constexpr const char* kPieces[] = {
      "0",   "1",    "9",    "10",  "12",  "31",       "2000",  ".",         ",",    "/",
      ":",   "-",    "+",    "e",   "E",   " ",        "K",     " K",        "AM",   "pm",
      "ap.", "上午", "下午", "abc", "Abc", "C:\\TEMP", "1,234", "12/1/2000", "9:05", "\xB0",
  };

  int Pick(std::size_t n) { return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(random_); }
  std::string Field() {
    static const char* const kFields[] = {"0",    "1",    "2",    "7",    "9",    "12", "13",
                                          "29",   "30",   "31",   "59",   "60",   "99", "00",
                                          "1899", "2000", "2024", "9999", "12345"};
    static const char* const kCommon[] = {"1", "2", "7", "9", "11"};
    const char* field = Pick(3) ? kCommon[Pick(std::size(kCommon))] : kFields[Pick(std::size(kFields))];
    return (Pick(4) == 0 ? " " : "") + std::string(field);
  }
  // Mostly the locale's separator, sometimes another one.
  std::string Separator(char own) { return std::string(1, Pick(6) ? own : ".,/:- "[Pick(6)]); }
  std::string Noise() { return Pick(4) ? "" : kPieces[Pick(std::size(kPieces))]; }

  std::string Number() {
    std::string text = Pick(3) ? "" : (Pick(2) ? "-" : "+");
    text += Field();
    if (Pick(3) == 0) text += Separator(locale_.thousand_separator) + "234";
    if (Pick(2)) text += Separator(locale_.decimal_separator) + (Pick(3) ? Field() : "");
    if (Pick(4) == 0) text += std::string(Pick(2) ? "e" : "E") + (Pick(2) ? "-" : "") + Field();
    return text + (Pick(3) ? "" : " K");
  }
  std::string Date() {
    std::string text = Field() + Separator(locale_.date_separator) + Field();
    if (Pick(4)) text += Separator(locale_.date_separator) + (Pick(6) ? Field() : "");
    return text;
  }
  std::string Time() {
    const char* const markers[] = {"", "", locale_.am_marker.c_str(), locale_.pm_marker.c_str(), "AM", "pm"};
    const std::string before = markers[Pick(std::size(markers))];
    std::string text = before + Field();
    if (Pick(5)) text += Separator(locale_.time_separator) + Field();
    if (Pick(2)) text += Separator(locale_.time_separator) + Field();
    if (Pick(4) == 0) text += Separator(locale_.decimal_separator) + Field();
    return text + " " + (before.empty() || Pick(6) == 0 ? markers[Pick(std::size(markers))] : "");
  }

  std::mt19937& random_;
  const SortLocale& locale_;
};

TEST(SortKeys, CompareExactlyLikeThePairs) {
  std::mt19937 random(20240517);
  for (const SortLocale& locale : {UsLocale(), GermanLocale(), ChineseLocale(), FinnishLocale()}) {
    CellGenerator generator(random, locale);
    std::vector<std::string> cells;
    for (int i = 0; i < 220; ++i) cells.push_back(generator.Next());
    std::vector<SortKey> keys;
    int times = 0, numbers = 0;
    for (const auto& cell : cells) {
      keys.push_back(MakeSortKey(cell, locale));
      times += keys.back().date_time.has_value();
      numbers += keys.back().number.has_value();
    }
    // The generated texts must give every branch of the comparison plenty of pairs.
    EXPECT_GT(times, 12);
    EXPECT_GT(numbers, 30);
    EXPECT_GT(static_cast<int>(cells.size()) - times - numbers, 30);

    int mismatches = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      for (std::size_t j = 0; j < cells.size(); ++j) {
        const std::string& a = cells[i];
        const std::string& b = cells[j];
        for (int direction : {1, -1}) {
          const int pair = SmartCompare(a, b, assSmart, locale, Bytes, direction);
          mismatches += pair != CompareSortKeys(keys[i], keys[j], assSmart, Bytes, direction);
          mismatches += pair != -SmartCompare(b, a, assSmart, locale, Bytes, direction);
        }
        mismatches += SmartCompare(a, b, assDefault, locale, Bytes, 1) !=
                      CompareSortKeys(keys[i], keys[j], assDefault, Bytes, 1);
        for (TSortAs as : {saString, saNumeric, saDateTime})
          mismatches +=
              CompareAs(a, b, as, locale, Bytes, -1) != CompareSortKeysAs(keys[i], keys[j], as, Bytes, -1);
        if (mismatches > 0) {
          ADD_FAILURE() << '"' << a << "\" / \"" << b << '"';
          return;
        }
      }
    }
  }
}

int WideUnits(std::wstring_view a, std::wstring_view b) { return a.compare(b); }

// Names in any script, as the system gives them, among numbers: the names collate whole (none is cut
// to question marks that would tie), a name holding digits is no number, the numbers still read.
TEST(SmartCompare, MixedWideNamesSortWholeAroundTheNumbers) {
  const std::vector<std::wstring> expected = {L"9 K",        L"10 K",          L"1024 K",   L"Explorer.exe",
                                              L"Ωmega.dll",  L"ΩЖ한",          L"测试.exe", L"한2",
                                              L"한글창.exe", L"\U0001F534.exe"};
  std::vector<std::wstring> cells(expected.rbegin(), expected.rend());
  std::swap(cells[1], cells[7]);
  std::vector<std::wstring> byKeys = cells;
  const SortLocale locale = UsLocale();
  std::stable_sort(cells.begin(), cells.end(), [&](const std::wstring& a, const std::wstring& b) {
    return SmartCompare(a, b, assSmart, locale, WideUnits, +1) < 0;
  });
  EXPECT_EQ(cells, expected);
  std::stable_sort(byKeys.begin(), byKeys.end(), [&](const std::wstring& a, const std::wstring& b) {
    return CompareSortKeys(MakeSortKey(a, locale), MakeSortKey(b, locale), assSmart, WideUnits, +1) < 0;
  });
  EXPECT_EQ(byKeys, expected);
  EXPECT_EQ(SmartCompare(L"12/31/2023", L"1/2/2024 3:00 PM", assSmart, locale, WideUnits, +1), -1);
  const std::wstring nameWithDigits = expected[7];
  EXPECT_EQ(CompareAs(nameWithDigits, L"1", saNumeric, locale, WideUnits, +1), -1);  // it reads as 0
}

}  // namespace
}  // namespace k32
