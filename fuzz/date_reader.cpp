// Cell texts read as points in time: values stay within the calendar, and dates and times written
// out in the locale's own way read back as the values the standard calendar gives for them.
#include <chrono>
#include <cmath>
#include <string>

#include "check.h"
#include "fuzz_input.h"
#include "listview/cell_reading.h"

using namespace k32;

namespace {

constexpr double kFirstDay = -693593;  // 1 January 1
constexpr double kLastDay = 2958465;   // 31 December 9999

double DayOf(int y, unsigned m, unsigned d) {
  using namespace std::chrono;
  return static_cast<double>(sys_days{year{y} / month{m} / day{d}}.time_since_epoch().count()) + 25569;
}

// A date and time from the fuzzer's bytes, written in the locale's order with its separators.
void CheckRoundTrip(fuzz::FuzzInput& in, const SortLocale& locale) {
  const int y = 1 + (in.Byte() << 8 | in.Byte()) % 9999;
  const unsigned m = 1 + in.Pick(12);
  const unsigned d = 1 + in.Pick(31);
  using namespace std::chrono;
  if (!year_month_day{year{y} / month{m} / day{d}}.ok()) return;
  const int hour = in.Pick(24), minute = in.Pick(60), second = in.Pick(60);
  const char ds = locale.date_separator, ts = locale.time_separator;
  // Separators that clash with each other or with digits and blanks make other texts; skip them.
  if (ds == ts || ds == ' ' || ts == ' ' || (ds >= '0' && ds <= '9') || (ts >= '0' && ts <= '9')) return;
  if (ts == locale.decimal_separator) return;
  std::string year_text = std::to_string(y);
  while (year_text.size() < 4) year_text.insert(0, "0");  // four digits: taken as written
  std::string date;
  const std::string md = std::to_string(m), dd = std::to_string(d);
  switch (locale.date_order) {
    case DateOrder::kDayMonthYear:
      date = dd + ds + md + ds + year_text;
      break;
    case DateOrder::kYearMonthDay:
      date = year_text + ds + md + ds + dd;
      break;
    default:
      date = md + ds + dd + ds + year_text;
      break;
  }
  const std::string time = std::to_string(hour) + ts + std::to_string(minute) + ts + std::to_string(second);
  const double day = DayOf(y, m, d);
  const double fraction = (hour * 3600 + minute * 60 + second) * 1000 / 86'400'000.0;
  FUZZ_CHECK(ReadCellDateTime(date, locale) == day);
  FUZZ_CHECK(ReadCellDateTime(date + " " + time, locale) == day + fraction);
  FUZZ_CHECK(ReadCellDateTime(time, locale) == fraction);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const SortLocale locale = fuzz::LocaleFrom(in);
  const std::string_view text = in.Text();
  if (const auto value = ReadCellDateTime(text, locale)) {
    FUZZ_CHECK(std::isfinite(*value));
    FUZZ_CHECK(*value >= kFirstDay && *value < kLastDay + 1);
  }
  CheckRoundTrip(in, locale);
  return 0;
}
