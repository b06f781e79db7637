#include "listview/sort_locale.h"

#include "common/text.h"

namespace k32 {

DateOrder DateOrderOf(std::string_view short_date_format) {
  for (std::size_t i = 0; i < short_date_format.size(); ++i) {
    const auto c = static_cast<unsigned char>(short_date_format[i]);
    if (IsLeadByte936(c)) {
      ++i;  // a trail byte may look like a letter
      continue;
    }
    switch (c & 0xDF) {
      case 'D':
        return DateOrder::kDayMonthYear;
      case 'M':
        return DateOrder::kMonthDayYear;
      case 'Y':
      case 'E':
        return DateOrder::kYearMonthDay;
      default:
        break;
    }
  }
  return DateOrder::kMonthDayYear;
}

namespace {
char SeparatorOr(std::string_view text, char fallback) {
  if (text.empty() || IsLeadByte936(static_cast<unsigned char>(text[0]))) return fallback;
  return text[0];
}
}  // namespace

SortLocale MakeSortLocale(std::string_view thousand_separator, std::string_view decimal_separator,
                          std::string_view date_separator, std::string_view time_separator,
                          std::string_view short_date_format, std::string_view am_marker,
                          std::string_view pm_marker, int current_year) {
  SortLocale locale;
  locale.thousand_separator = SeparatorOr(thousand_separator, ',');
  locale.decimal_separator = SeparatorOr(decimal_separator, '.');
  locale.date_separator = SeparatorOr(date_separator, '/');
  locale.time_separator = SeparatorOr(time_separator, ':');
  locale.date_order = DateOrderOf(short_date_format.empty() ? "m/d/yy" : short_date_format);
  locale.am_marker = am_marker;
  locale.pm_marker = pm_marker;
  locale.current_year = current_year;
  return locale;
}

}  // namespace k32
