#include "tray/tooltip.h"

#include "common/text.h"

namespace k32 {

std::string CutToolTip(std::string_view text, std::size_t limit) {
  text = text.substr(0, text.find('\0'));
  // Walk whole characters: a trail byte may look like a lead byte, so only a walk from the start knows.
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width =
        IsLeadByte936(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  return std::string(text.substr(0, end));
}

}  // namespace k32
