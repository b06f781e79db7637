#include "listview/list_view_text.h"

#include "common/text.h"

namespace k32 {

std::string FitInfoTip(std::string_view current, std::string_view text, bool append, int capacity) {
  std::string result = append ? std::string(current) : std::string();
  result += text;
  if (capacity <= 0) return {};
  const auto room = static_cast<std::size_t>(capacity - 1);
  if (result.size() <= room) return result;
  std::size_t end = 0;
  while (end < room) {
    const std::size_t width = IsLeadByte936(static_cast<unsigned char>(result[end])) ? 2 : 1;
    if (end + width > room) break;
    end += width;
  }
  result.resize(end);
  return result;
}

std::string TypeAheadText::With(char key, std::uint32_t tick) const {
  // Unsigned difference: right across the tick counter's wrap.
  if (text_.empty() || tick - last_ >= kPauseMs) return std::string(1, key);
  return text_ + key;
}

}  // namespace k32
