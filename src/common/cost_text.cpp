#include "common/cost_text.h"

#include <cmath>
#include <cstdio>

namespace k32 {

std::string CpuShareText(std::optional<double> percent) {
  if (!percent || !std::isfinite(*percent)) return {};
  // Hundredths, rounded: what shows "0.00" is below 0.01 and shows nothing.
  const double hundredths = std::round(*percent * 100.0);
  if (hundredths < 1.0) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", hundredths / 100.0);
  return text;
}

std::string CpuTimeText(std::uint64_t time) {
  const std::uint64_t ms = time / 10000;
  char text[48];
  std::snprintf(text, sizeof text, "%llu:%02u:%02u.%03u", static_cast<unsigned long long>(ms / 3600000),
                static_cast<unsigned>(ms / 60000 % 60), static_cast<unsigned>(ms / 1000 % 60),
                static_cast<unsigned>(ms % 1000));
  return text;
}

std::string KibText(std::uint64_t bytes) {
  const std::string digits = std::to_string(bytes / 1024);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text + " K";
}

std::string DateTimeText(int year, int month, int day, int hour, int minute, int second) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
  return text;
}

}  // namespace k32
