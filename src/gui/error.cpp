#include "gui/error.h"

namespace k32::gui {

std::string FormatMessage1(const std::string& pattern, const std::string& value) {
  const auto at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + value + pattern.substr(at + 2);
}

}  // namespace k32::gui
