#include "app/refresh_interval.h"

#include <limits>

namespace k32 {

std::uint32_t RefreshIntervalMs(std::int32_t seconds) {
  if (seconds <= 0) return 0;
  const std::int64_t milliseconds = std::int64_t{seconds} * 1000;
  if (milliseconds > std::numeric_limits<std::int32_t>::max()) return 0;
  return static_cast<std::uint32_t>(milliseconds);
}

}  // namespace k32
