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

std::string CpuShareTotalText(double percent) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", std::isfinite(percent) && percent > 0 ? percent : 0.0);
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

std::optional<long double> ReadCostNumber(std::wstring_view text) {
  if (text.ends_with(L" K")) text.remove_suffix(2);
  long double value = 0, part = 0, scale = 0;  // scale: the place of the next decimal, 0 before the point
  bool digits = false;
  for (const wchar_t c : text) {
    if (c >= L'0' && c <= L'9') {
      digits = true;
      if (scale > 0) {
        part += (c - L'0') * scale;
        scale /= 10;
      } else {
        part = part * 10 + (c - L'0');
      }
    } else if (c == L',' && scale == 0) {
      continue;  // thousands
    } else if (c == L':' && scale == 0) {
      value = (value + part) * 60;  // hours and minutes of a time
      part = 0;
    } else if (c == L'.' && scale == 0) {
      scale = 0.1L;
    } else {
      return std::nullopt;
    }
  }
  if (!digits && !text.empty()) return std::nullopt;
  return value + part;
}

std::string DateTimeText(int year, int month, int day, int hour, int minute, int second) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
  return text;
}

}  // namespace k32
