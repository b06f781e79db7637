#include "report/report_lines.h"

namespace k32 {

namespace {

template <typename Char>
std::vector<std::basic_string_view<Char>> Split(std::basic_string_view<Char> text) {
  constexpr Char kEnds[] = {'\r', '\n', 0};
  std::vector<std::basic_string_view<Char>> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of(kEnds, start);
    if (end == std::basic_string_view<Char>::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

template <typename Char>
std::basic_string<Char> CrLf(std::basic_string_view<Char> text) {
  constexpr Char kCrLf[] = {'\r', '\n', 0};
  const auto lines = Split(text);
  std::size_t size = 0;
  for (const auto line : lines) size += line.size() + 2;
  std::basic_string<Char> joined;
  joined.reserve(size);
  for (const auto line : lines) joined.append(line).append(kCrLf);
  return joined;
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) { return Split(text); }
std::vector<std::wstring_view> SplitLines(std::wstring_view text) { return Split(text); }
std::string WithCrLf(std::string_view text) { return CrLf(text); }
std::wstring WithCrLf(std::wstring_view text) { return CrLf(text); }

}  // namespace k32
