#include "report/report_lines.h"

namespace k32 {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

std::string WithCrLf(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  std::size_t size = 0;
  for (std::string_view line : lines) size += line.size() + 2;
  std::string joined;
  joined.reserve(size);
  for (std::string_view line : lines) joined.append(line).append("\r\n");
  return joined;
}

}  // namespace k32
