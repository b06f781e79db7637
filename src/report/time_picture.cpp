#include "report/time_picture.h"

namespace k32 {

namespace {

std::string Quoted(const std::string& literal) {
  if (literal.empty()) return literal;
  std::string quoted = "'";
  for (char c : literal) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

}  // namespace

std::string LongTimePicture(const TimeLocale& locale) {
  std::string hours = locale.twelveHour ? "h" : "H";
  if (locale.leadingZero) hours += hours;
  const std::string separator = Quoted(locale.separator);
  const std::string time = hours + separator + "mm" + separator + "ss";
  if (!locale.twelveHour) return time;
  return locale.markerFirst ? "tt " + time : time + " tt";
}

}  // namespace k32
