// The tip text the notification area takes: at most 62 bytes of code page 936 text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace k32 {

inline constexpr std::size_t kToolTipLimit = 62;

// The first `limit` bytes of the text, one fewer when the last of them would be the lead byte of a
// double-byte character whose trail byte falls off; the text stops at its first NUL.
std::string CutToolTip(std::string_view text, std::size_t limit = kToolTipLimit);

}  // namespace k32
