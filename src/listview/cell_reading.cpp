#include "listview/cell_reading.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "common/text.h"

namespace k32 {

namespace {

// ---- Numbers ------------------------------------------------------------------------------------

// Characters of a text as the number syntax sees them. The second reading drops the thousands
// separators and takes the decimal separator for ".".
class NumberSource {
 public:
  NumberSource(std::string_view text, bool localised, char thousand, char decimal)
      : text_(text), localised_(localised), thousand_(thousand), decimal_(decimal) {}

  // The current character, or -1 at the end.
  int Peek() {
    if (localised_)
      while (pos_ < text_.size() && text_[pos_] == thousand_) ++pos_;
    if (pos_ >= text_.size()) return -1;
    const char c = text_[pos_];
    return (localised_ && c == decimal_) ? '.' : static_cast<unsigned char>(c);
  }
  void Advance() { ++pos_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool localised_;
  char thousand_;
  char decimal_;
};

// More significant digits than a long double can tell apart; the rest are dropped.
constexpr int kMaxDigits = 40;
// Decimal exponents beyond every floating type's range.
constexpr std::int64_t kExponentLimit = 6000;

// A number as sign, significant digits d1 d2 ... and exponent E, meaning d1.d2... x 10^E.
struct Decimal {
  bool negative = false;
  std::array<char, kMaxDigits> digits{};
  int count = 0;  // 0 for the value zero
  std::int64_t exponent = 0;
};

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

bool ParseDecimal(NumberSource& src, Decimal& out) {
  int c = src.Peek();
  while (c == ' ') {
    src.Advance();
    c = src.Peek();
  }
  if (c == '+' || c == '-') {
    out.negative = c == '-';
    src.Advance();
    c = src.Peek();
  }
  if (c < 0) return false;

  bool started = false;    // a non-zero digit has been seen
  std::int64_t point = 0;  // value = 0.d1d2... x 10^point
  auto add_digit = [&](int d, bool before_point) {
    if (!started && d == '0') {
      if (!before_point) --point;
      return;
    }
    started = true;
    if (before_point) ++point;
    if (out.count < kMaxDigits) out.digits[out.count++] = static_cast<char>(d);
  };
  for (; IsDigit(c); src.Advance(), c = src.Peek()) add_digit(c, true);
  if (c == '.') {
    src.Advance();
    for (c = src.Peek(); IsDigit(c); src.Advance(), c = src.Peek()) add_digit(c, false);
  }
  std::int64_t exponent = 0;
  if (c == 'e' || c == 'E') {
    src.Advance();
    c = src.Peek();
    bool negative_exponent = false;
    if (c == '+' || c == '-') {
      negative_exponent = c == '-';
      src.Advance();
      c = src.Peek();
    }
    if (!IsDigit(c)) return false;
    for (; IsDigit(c); src.Advance(), c = src.Peek())
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (c - '0');
    if (negative_exponent) exponent = -exponent;
  }
  if (c >= 0) return false;

  if (!started) {
    out.count = 0;
    return true;
  }
  while (out.count > 1 && out.digits[out.count - 1] == '0') --out.count;
  out.exponent = point - 1 + exponent;
  return true;
}

long double ValueOf(const Decimal& d) {
  if (d.count == 0) return 0.0L;
  long double magnitude;
  if (d.exponent >= 0 && d.exponent < 19 && d.count <= d.exponent + 1) {
    // Whole numbers below 10^19 convert exactly; most cells are such numbers.
    std::uint64_t whole = 0;
    for (int i = 0; i < d.count; ++i) whole = whole * 10 + static_cast<std::uint64_t>(d.digits[i] - '0');
    for (std::int64_t i = d.count; i <= d.exponent; ++i) whole *= 10;
    magnitude = static_cast<long double>(whole);
  } else if (d.exponent > kExponentLimit) {
    magnitude = std::numeric_limits<long double>::infinity();
  } else if (d.exponent < -kExponentLimit) {
    magnitude = 0.0L;
  } else {
    // "ddde-123": without a decimal point the runtime's conversion does not depend on the C locale.
    // It is correctly rounded to the full long double, which std::from_chars is not everywhere.
    std::array<char, kMaxDigits + 24> buffer{};
    char* p = buffer.data();
    for (int i = 0; i < d.count; ++i) *p++ = d.digits[i];
    *p++ = 'e';
    p = std::to_chars(p, buffer.data() + buffer.size() - 1, d.exponent - (d.count - 1)).ptr;
    *p = '\0';
    magnitude = std::strtold(buffer.data(), nullptr);
  }
  return d.negative ? -magnitude : magnitude;
}

std::optional<long double> ReadNumber(std::string_view text, bool localised, const SortLocale* locale) {
  NumberSource src(text, localised, locale ? locale->thousand_separator : ',',
                   locale ? locale->decimal_separator : '.');
  Decimal d;
  if (!ParseDecimal(src, d)) return std::nullopt;
  return ValueOf(d);
}

// ---- Dates and times ----------------------------------------------------------------------------

class TimeScanner {
 public:
  explicit TimeScanner(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }

  void SkipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }

  bool Char(char c) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  // Decimal digits after blanks; a huge field saturates (it is out of range anyway).
  bool Number(int& value, int& digits) {
    SkipBlanks();
    const std::size_t start = pos_;
    value = 0;
    for (; pos_ < text_.size() && IsDigit(text_[pos_]); ++pos_)
      if (value < 100'000) value = value * 10 + (text_[pos_] - '0');
    digits = static_cast<int>(pos_ - start);
    return digits > 0;
  }

  // A marker after blanks, ASCII letters without regard to case, double-byte characters exactly.
  bool Marker(std::string_view marker) {
    if (marker.empty()) return false;
    SkipBlanks();
    const std::string_view rest = text_.substr(pos_);
    if (rest.size() < marker.size()) return false;
    for (std::size_t i = 0; i < marker.size(); ++i) {
      const auto m = static_cast<unsigned char>(marker[i]);
      const auto t = static_cast<unsigned char>(rest[i]);
      if (IsLeadByte936(m) && i + 1 < marker.size()) {
        if (t != m || rest[i + 1] != marker[i + 1]) return false;
        ++i;
      } else if (Fold(m) != Fold(t)) {
        return false;
      }
    }
    pos_ += marker.size();
    return true;
  }

 private:
  static unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

  std::string_view text_;
  std::size_t pos_ = 0;
};

constexpr bool IsLeapYear(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Days from 30 December 1899 to a valid date of the proleptic Gregorian calendar.
std::int64_t DayNumber(std::int64_t y, std::int64_t m, std::int64_t d) {
  y -= m <= 2;
  const std::int64_t era = y / 400;  // years 1..9999 only, never negative
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 693899;  // 693899: days from 1 March of year 0 to 30 December 1899
}

bool ScanDate(TimeScanner& sc, const SortLocale& locale, double& days) {
  const char sep = locale.date_separator;
  int n1, l1, n2, l2, n3, l3;
  if (!sc.Number(n1, l1) || !sc.Char(sep) || !sc.Number(n2, l2)) return false;
  std::int64_t y, m, d;
  if (sc.Char(sep) && sc.Number(n3, l3)) {
    int year_digits;
    switch (locale.date_order) {
      case DateOrder::kDayMonthYear:
        d = n1, m = n2, y = n3, year_digits = l3;
        break;
      case DateOrder::kYearMonthDay:
        y = n1, m = n2, d = n3, year_digits = l1;
        break;
      default:
        m = n1, d = n2, y = n3, year_digits = l3;
        break;
    }
    if (year_digits <= 2) {
      const std::int64_t base = static_cast<std::int64_t>(locale.current_year) - 50;
      y += base / 100 * 100;
      if (y < base) y += 100;
    }
    sc.Char(sep);
  } else {
    // Two numbers (the separator after them, if any, has been taken): this year.
    y = locale.current_year;
    if (locale.date_order == DateOrder::kDayMonthYear)
      d = n1, m = n2;
    else
      m = n1, d = n2;
  }
  sc.SkipBlanks();
  static constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
  if (d > kMonthDays[m - 1] + (m == 2 && IsLeapYear(y) ? 1 : 0)) return false;
  days = static_cast<double>(DayNumber(y, m, d));
  return true;
}

bool ScanTime(TimeScanner& sc, const SortLocale& locale, double& fraction) {
  int base_hour = -1;
  if (sc.Marker(locale.am_marker))
    base_hour = 0;
  else if (sc.Marker(locale.pm_marker))
    base_hour = 12;
  int hour, min = 0, sec = 0, msec = 0, digits;
  if (!sc.Number(hour, digits)) return false;
  if (sc.Char(locale.time_separator)) {
    if (!sc.Number(min, digits)) return false;
    if (sc.Char(locale.time_separator)) {
      if (!sc.Number(sec, digits)) return false;
      if (sc.Char(locale.decimal_separator) && !sc.Number(msec, digits)) return false;
    }
  }
  if (base_hour < 0) {
    if (sc.Marker(locale.am_marker))
      base_hour = 0;
    else if (sc.Marker(locale.pm_marker))
      base_hour = 12;
  }
  if (base_hour >= 0) {
    if (hour == 0 || hour > 12) return false;
    hour = hour % 12 + base_hour;
  }
  sc.SkipBlanks();
  if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) return false;
  fraction = (hour * 3'600'000 + min * 60'000 + sec * 1000 + msec) / 86'400'000.0;
  return true;
}

std::optional<double> ReadTimeOnly(std::string_view text, const SortLocale& locale) {
  TimeScanner sc(text);
  double fraction;
  if (ScanTime(sc, locale, fraction) && sc.AtEnd()) return fraction;
  return std::nullopt;
}

}  // namespace

std::optional<long double> ReadPlainNumber(std::string_view text) { return ReadNumber(text, false, nullptr); }

std::optional<long double> ReadCellNumber(std::string_view text, const SortLocale& locale) {
  text = text.substr(0, text.find(' '));
  if (auto value = ReadNumber(text, false, nullptr)) return value;
  return ReadNumber(text, true, &locale);
}

std::optional<double> ReadCellDateTime(std::string_view text, const SortLocale& locale) {
  const std::size_t first = text.find(locale.date_separator);
  const bool has_date =
      first != std::string_view::npos &&
      (first + 1 == text.size() || text.find(locale.date_separator, first + 1) != std::string_view::npos);
  const bool has_time = text.find(locale.time_separator) != std::string_view::npos;
  if (!has_date) {
    if (has_time) return ReadTimeOnly(text, locale);
    return std::nullopt;
  }
  TimeScanner sc(text);
  double days;
  const bool date_read = ScanDate(sc, locale, days);
  if (!has_time) {
    if (date_read && sc.AtEnd()) return days;
    return std::nullopt;
  }
  double fraction = 0.0;
  if (date_read && (sc.AtEnd() || ScanTime(sc, locale, fraction))) return days + fraction;
  return ReadTimeOnly(text, locale);
}

}  // namespace k32
