// Reading a list cell's text as a number or as a point in time, for the column sort.
#pragma once

#include <optional>
#include <string_view>

#include "listview/sort_locale.h"

namespace k32 {

// The plain number syntax: blanks, an optional sign, digits with an optional "." and more digits
// (both runs may be empty), an optional exponent ("E"/"e", optional sign, at least one digit), and
// nothing after it. At least one character must follow the sign. So "." and "E5" are 0, "5." is 5,
// and "", "+", "1e" and "5 " do not read. Values beyond the range become infinite or 0.
std::optional<long double> ReadPlainNumber(std::string_view text);

// A cell as a number: only the part before the first blank counts ("12 K" is 12); when that does
// not read as it is, it is read again without thousands separators and with the locale's decimal
// separator taken for ".".
std::optional<long double> ReadCellNumber(std::string_view text, const SortLocale& locale);

// A cell as a date, a time of day, or both, in days since 30 December 1899 with the time of day as
// the fraction. A text counts as holding a date only with two date separators, or one at its very
// end, so that "-5" or "1/2" in a locale with such separators stay numbers and texts.
std::optional<double> ReadCellDateTime(std::string_view text, const SortLocale& locale);

}  // namespace k32
