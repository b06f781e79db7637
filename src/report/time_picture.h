// The picture of the report's time of day: hours, minutes and seconds as the locale writes them.
#pragma once

#include <string>

namespace k32 {

struct TimeLocale {
  bool twelveHour = false;   // a 12-hour clock with a morning/afternoon marker
  bool leadingZero = false;  // hours below 10 with a leading zero
  std::string separator = ":";
  bool markerFirst = false;  // the marker stands before the time
};

// A picture for the system's time formatting ("H:mm:ss", "tt hh.mm.ss", ...), the separator
// quoted so that its letters are never read as fields.
std::string LongTimePicture(const TimeLocale& locale);

}  // namespace k32
