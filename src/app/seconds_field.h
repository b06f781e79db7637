// Reading the refresh period typed into the settings dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace k32 {

// The seconds entry as a signed 32-bit number, or nothing when the text is not one.
// Leading spaces are skipped; then either decimal digits with an optional "+" or "-", or, without
// a sign, hexadecimal digits (either case) after "$", "x", "X", "0x" or "0X". Anything else,
// trailing spaces included, is rejected, and so is a value that does not fit in 32 bits. Hex digits
// give the 32-bit pattern ("$FFFFFFFF" is -1). -1 itself is the "not a number" answer of the
// conversion this follows, so it is rejected too.
std::optional<std::int32_t> ParseSecondsField(std::string_view text);

}  // namespace k32
