// Texts the list views hand to the control or build from keys: the info tip cut to its buffer and
// the text typed for an incremental search.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace k32 {

// The tip buffer's new content: text appended to current, or text alone, cut so that it and its
// terminating zero fit in capacity bytes. A double-byte character is never split.
std::string FitInfoTip(std::string_view current, std::string_view text, bool append, int capacity);

// The text typed for an incremental search: keys less than a second apart add to it, a longer
// pause starts it again.
class TypeAheadText {
 public:
  static constexpr std::uint32_t kPauseMs = 1000;
  // The text with the key added, as typed at the given tick; Commit keeps it.
  [[nodiscard]] std::string With(char key, std::uint32_t tick) const;
  void Commit(std::string text, std::uint32_t tick) {
    text_ = std::move(text);
    last_ = tick;
  }
  [[nodiscard]] const std::string& Text() const { return text_; }

 private:
  std::string text_;
  std::uint32_t last_ = 0;
};

}  // namespace k32
