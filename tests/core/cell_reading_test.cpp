#include "listview/cell_reading.h"

#include <gtest/gtest.h>

#include <limits>

namespace k32 {
namespace {

SortLocale UsLocale() { return MakeSortLocale(",", ".", "/", ":", "M/d/yyyy", "AM", "PM", 2024); }
SortLocale GermanLocale() { return MakeSortLocale(".", ",", ".", ":", "dd.MM.yyyy", "", "", 2024); }

// Days since 30 December 1899 of a few known dates.
constexpr double kDec1st2000 = 36861;
constexpr double kJan1st2000 = 36526;

TEST(PlainNumber, SyntaxEdges) {
  EXPECT_EQ(ReadPlainNumber("5."), 5.0L);
  EXPECT_EQ(ReadPlainNumber("."), 0.0L);
  EXPECT_EQ(ReadPlainNumber("E5"), 0.0L);
  EXPECT_EQ(ReadPlainNumber("-e5"), 0.0L);
  EXPECT_EQ(ReadPlainNumber("+.5e1"), 5.0L);
  EXPECT_EQ(ReadPlainNumber("-.5e-1"), -0.05L);
  EXPECT_EQ(ReadPlainNumber("  7"), 7.0L);
  EXPECT_EQ(ReadPlainNumber("0.1"), 0.1L);
  for (const char* bad : {"", "   ", "+", "-", "1e", "1e+", "5 ", "..", "1.2.3", "--1", "0x10", "inf", "1,5"})
    EXPECT_FALSE(ReadPlainNumber(bad).has_value()) << '"' << bad << '"';
}

TEST(PlainNumber, OneValueWhateverTheSpelling) {
  for (const char* five : {"5", "5.0", "05", "+5", "0.5e1", "50e-1", "500000000000000000000e-20"})
    EXPECT_EQ(ReadPlainNumber(five), 5.0L) << five;
  EXPECT_EQ(ReadPlainNumber("1e99999"), std::numeric_limits<long double>::infinity());
  EXPECT_EQ(ReadPlainNumber("-1e99999"), -std::numeric_limits<long double>::infinity());
  EXPECT_EQ(ReadPlainNumber("1e-99999"), 0.0L);
  EXPECT_EQ(ReadPlainNumber(std::string(5000, '0') + "3"), 3.0L);
  EXPECT_EQ(ReadPlainNumber("0." + std::string(5000, '0') + "3e5001"), 3.0L);
}

TEST(PlainNumber, ExtendedPrecisionTellsLongIntegersApart) {
  if constexpr (std::numeric_limits<long double>::digits >= 64) {
    EXPECT_LT(*ReadPlainNumber("18446744073709551614"), *ReadPlainNumber("18446744073709551615"));
    EXPECT_LT(*ReadPlainNumber("9007199254740993"), *ReadPlainNumber("9007199254740994"));
    EXPECT_LT(*ReadPlainNumber("1.0000000000000000001"), *ReadPlainNumber("1.0000000000000000002"));
  }
}

TEST(CellNumber, CutAtBlankThenSecondReadingWithSeparators) {
  const SortLocale us = UsLocale();
  EXPECT_EQ(ReadCellNumber("12 K", us), 12.0L);
  EXPECT_EQ(ReadCellNumber("1024 K", us), 1024.0L);
  EXPECT_EQ(ReadCellNumber("1,234", us), 1234.0L);
  EXPECT_EQ(ReadCellNumber("1,234.5", us), 1234.5L);
  EXPECT_EQ(ReadCellNumber("1,2,3", us), 123.0L);
  EXPECT_FALSE(ReadCellNumber(" 12", us));  // the part before the first blank is empty
  EXPECT_FALSE(ReadCellNumber("", us));
  EXPECT_FALSE(ReadCellNumber("12K", us));
  EXPECT_FALSE(ReadCellNumber(",", us));  // nothing left once the separator is gone

  const SortLocale de = GermanLocale();
  EXPECT_EQ(ReadCellNumber("1.234,5", de), 1234.5L);
  EXPECT_EQ(ReadCellNumber("1,5", de), 1.5L);
  EXPECT_EQ(ReadCellNumber("1.5", de), 1.5L);  // reads on the first try, before any separator rule
  EXPECT_EQ(ReadCellNumber("-2,5e1", de), -25.0L);
}

TEST(CellDateTime, MonthDayYearDates) {
  const SortLocale us = UsLocale();
  EXPECT_EQ(ReadCellDateTime("12/1/2000", us), kDec1st2000);
  EXPECT_EQ(ReadCellDateTime(" 12 / 1 / 2000 ", us), kDec1st2000);
  EXPECT_EQ(ReadCellDateTime("12/1/2000/", us), kDec1st2000);
  EXPECT_EQ(ReadCellDateTime("1/1/2000", us), kJan1st2000);
  EXPECT_EQ(ReadCellDateTime("12/30/1899", us), 0.0);
  EXPECT_EQ(ReadCellDateTime("12/29/1899", us), -1.0);
  EXPECT_EQ(ReadCellDateTime("1/1/1", us), ReadCellDateTime("1/1/2001", us));  // two digits: windowed
  EXPECT_EQ(ReadCellDateTime("1/1/0001", us), -693593.0);
  EXPECT_EQ(ReadCellDateTime("2/29/2000", us), kJan1st2000 + 59);
  for (const char* bad : {"1/", "1//", "2/30/2000", "2/29/1900", "13/1/2000", "0/1/2000", "1/0/2000",
                          "1/1/0000", "1/1/10000", "1/1/2000x", "1/1/2000//", "a/b/c", "/1/2000"})
    EXPECT_FALSE(ReadCellDateTime(bad, us).has_value()) << bad;
}

TEST(CellDateTime, DateSeparatorsThatAreNoDate) {
  const SortLocale us = UsLocale();
  // One separator that is not the last character: no date part, and no time part either.
  EXPECT_FALSE(ReadCellDateTime("1/2", us));
  EXPECT_FALSE(ReadCellDateTime("12", us));
  // A dash as separator must leave negative numbers alone.
  const SortLocale dash = MakeSortLocale(",", ".", "-", ":", "yyyy-MM-dd", "", "", 2024);
  EXPECT_FALSE(ReadCellDateTime("-5", dash));
  EXPECT_EQ(ReadCellDateTime("2000-12-1", dash), kDec1st2000);
}

TEST(CellDateTime, TwoNumbersTakeTheCurrentYear) {
  const SortLocale us = UsLocale();
  EXPECT_EQ(ReadCellDateTime("1/5/", us), ReadCellDateTime("1/5/2024", us));
  const SortLocale de = GermanLocale();
  EXPECT_EQ(ReadCellDateTime("1.5.", de), ReadCellDateTime("1.5.2024", de));
  EXPECT_EQ(ReadCellDateTime("1.5.", de), ReadCellDateTime("5/1/2024", us));
}

TEST(CellDateTime, TwoDigitYearsWithinFiftyYears) {
  SortLocale us = UsLocale();  // 2024: two-digit years fall in 1974 .. 2073
  EXPECT_EQ(ReadCellDateTime("1/1/74", us), ReadCellDateTime("1/1/1974", us));
  EXPECT_EQ(ReadCellDateTime("1/1/73", us), ReadCellDateTime("1/1/2073", us));
  EXPECT_EQ(ReadCellDateTime("1/1/00", us), ReadCellDateTime("1/1/2000", us));
  EXPECT_EQ(ReadCellDateTime("1/1/099", us), ReadCellDateTime("1/1/0099", us));  // three digits: as written
  us.current_year = 2051;                                                        // 2001 .. 2100
  EXPECT_EQ(ReadCellDateTime("1/1/00", us), ReadCellDateTime("1/1/2100", us));
  EXPECT_EQ(ReadCellDateTime("1/1/01", us), ReadCellDateTime("1/1/2001", us));
}

TEST(CellDateTime, FieldOrderFollowsTheShortDateFormat) {
  const SortLocale de = GermanLocale();
  EXPECT_EQ(ReadCellDateTime("1.12.2000", de), kDec1st2000);
  const SortLocale ymd = MakeSortLocale(",", ".", "/", ":", "yyyy/M/d", "上午", "下午", 2024);
  EXPECT_EQ(ReadCellDateTime("2000/12/1", ymd), kDec1st2000);
  EXPECT_EQ(ReadCellDateTime("00/12/1", ymd), kDec1st2000);
  EXPECT_EQ(DateOrderOf("'Day' d"), DateOrder::kDayMonthYear);
  EXPECT_EQ(DateOrderOf("gg ee/MM/dd"), DateOrder::kYearMonthDay);
  EXPECT_EQ(DateOrderOf("xx"), DateOrder::kMonthDayYear);
  EXPECT_EQ(DateOrderOf("癉 y/M/d"), DateOrder::kYearMonthDay);  // 癉 is B0 44, its second byte a "D"
}

TEST(CellDateTime, Times) {
  const SortLocale us = UsLocale();
  EXPECT_EQ(ReadCellDateTime("12:00", us), 0.5);
  EXPECT_EQ(ReadCellDateTime("6:00", us), 0.25);
  EXPECT_EQ(ReadCellDateTime("0:00:00", us), 0.0);
  EXPECT_EQ(ReadCellDateTime("23:59:59.999", us), (86'400'000 - 1) / 86'400'000.0);
  EXPECT_EQ(ReadCellDateTime("6:00 PM", us), 0.75);
  EXPECT_EQ(ReadCellDateTime("pm 6:00", us), 0.75);
  EXPECT_EQ(ReadCellDateTime("12:00 am", us), 0.0);
  EXPECT_EQ(ReadCellDateTime("12:00 PM", us), 0.5);
  EXPECT_EQ(ReadCellDateTime("6:  ", us), std::nullopt);
  EXPECT_EQ(ReadCellDateTime("6: 00  ", us), 0.25);
  for (const char* bad : {"C:\\TEMP", "24:00", "1:60", "1:00:60", "1:00:00.1000", "0:30 PM", "13:00 PM",
                          "1:00 XM", "1:00 PM PM", ":30", "1::", "10:30 x", "AM"})
    EXPECT_FALSE(ReadCellDateTime(bad, us).has_value()) << bad;
}

TEST(CellDateTime, MarkersOfTheLocaleInCodePage936) {
  const SortLocale cn = MakeSortLocale(",", ".", "/", ":", "yyyy/M/d", "上午", "下午", 2024);
  EXPECT_EQ(ReadCellDateTime("下午 6:00", cn), 0.75);
  EXPECT_EQ(ReadCellDateTime("6:00上午", cn), 0.25);
  EXPECT_FALSE(ReadCellDateTime("6:00 PM", cn));  // another locale's marker
  // 癉 (B0 44) and 癲 (B0 64) differ in a second byte that looks like a case pair.
  const SortLocale odd = MakeSortLocale(",", ".", "/", ":", "", "癉", "", 2024);
  EXPECT_EQ(ReadCellDateTime("6:00癉", odd), 0.25);
  EXPECT_FALSE(ReadCellDateTime("6:00癲", odd));
  const SortLocale none = GermanLocale();
  EXPECT_FALSE(ReadCellDateTime("6:00 PM", none));
}

TEST(CellDateTime, DateFollowedByTime) {
  const SortLocale us = UsLocale();
  EXPECT_EQ(ReadCellDateTime("12/1/2000 18:00", us), kDec1st2000 + 0.75);
  EXPECT_EQ(ReadCellDateTime("12/1/2000 6:00 PM", us), kDec1st2000 + 0.75);
  EXPECT_EQ(ReadCellDateTime("12/1/2000 18:00 whatever", us), kDec1st2000 + 0.75);
  // Before the epoch the time still moves the value forward.
  EXPECT_LT(*ReadCellDateTime("12/29/1899 1:00", us), *ReadCellDateTime("12/29/1899 2:00", us));
  // What follows the date is no time: the whole text is tried as a time, and is not one.
  EXPECT_FALSE(ReadCellDateTime("12/1/2000 x:", us));
  EXPECT_FALSE(ReadCellDateTime("10:30 12/1/2000", us));
  EXPECT_FALSE(ReadCellDateTime("2/30/2000 10:30", us));
}

TEST(CellDateTime, PeriodAsTimeSeparatorTakesPrecedenceOverNumbers) {
  const SortLocale fi = MakeSortLocale(" ", ",", ".", ".", "d.M.yyyy", "", "", 2024);
  EXPECT_EQ(ReadCellDateTime("9.30", fi), 9.5 / 24);
  EXPECT_EQ(ReadCellDateTime("1.12.2000 9.30", fi), kDec1st2000 + 9.5 / 24);
  EXPECT_EQ(ReadCellDateTime("9.30.15,5", fi), (9 * 3'600'000 + 30 * 60'000 + 15'005) / 86'400'000.0);
}

TEST(SortLocale, EmptyOrDoubleByteValuesFallBack) {
  const SortLocale l = MakeSortLocale("", "", "年", "", "", "", "", 1999);
  EXPECT_EQ(l.thousand_separator, ',');
  EXPECT_EQ(l.decimal_separator, '.');
  EXPECT_EQ(l.date_separator, '/');
  EXPECT_EQ(l.time_separator, ':');
  EXPECT_EQ(l.date_order, DateOrder::kMonthDayYear);
  EXPECT_EQ(l.current_year, 1999);
  EXPECT_EQ(MakeSortLocale("'", ",", "-", ".", "d-M", "a", "p", 1).date_separator, '-');
}

}  // namespace
}  // namespace k32
