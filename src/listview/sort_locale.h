// The user's regional values that the column sort reads when it takes texts for numbers and dates.
#pragma once

#include <string>
#include <string_view>

namespace k32 {

// Field order of a date with three numbers.
enum class DateOrder { kMonthDayYear, kDayMonthYear, kYearMonthDay };

struct SortLocale {
  char thousand_separator = ',';
  char decimal_separator = '.';
  char date_separator = '/';
  char time_separator = ':';
  DateOrder date_order = DateOrder::kMonthDayYear;
  // Morning and afternoon markers; an empty marker never matches.
  std::string am_marker;
  std::string pm_marker;
  // Year that dates without a year take, and around which two-digit years are placed.
  int current_year = 2000;
  // How a wide cell becomes the code-page text the readers take; null keeps ASCII and reads any
  // other character as "?", which no number or date holds.
  std::string (*narrow)(std::wstring_view text) = nullptr;
};

// The order of the first D, M, Y or E (either case) in a short date format; month first when none.
DateOrder DateOrderOf(std::string_view short_date_format);

// Builds the values from the locale's own texts. An empty separator (or one that is a double-byte
// character, which the byte-wise readers cannot match) falls back to the usual default, and an
// empty format to "m/d/yy".
SortLocale MakeSortLocale(std::string_view thousand_separator, std::string_view decimal_separator,
                          std::string_view date_separator, std::string_view time_separator,
                          std::string_view short_date_format, std::string_view am_marker,
                          std::string_view pm_marker, int current_year);

}  // namespace k32
