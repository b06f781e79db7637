// The refresh timer's interval for the period the user set.
#pragma once

#include <cstdint>

namespace k32 {

// Milliseconds for a refresh period in seconds. A period that is not positive, or whose
// milliseconds do not fit a signed 32-bit count, gives 0: a timer that never ticks, rather than one
// that fires at the wrapped product's period or in a tight loop.
std::uint32_t RefreshIntervalMs(std::int32_t seconds);

}  // namespace k32
