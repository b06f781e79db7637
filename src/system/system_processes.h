// Every process the system runs, read in one query of the native API.
#pragma once

#include <cstdint>
#include <vector>

#include "system/services.h"

namespace k32 {

// The processes in the system's order, with their creation times; false (and nothing read) when
// the query fails. buffer is kept between calls: it grows to what the system needs and stays.
[[nodiscard]] bool QuerySystemProcesses(std::vector<std::uint64_t>& buffer, std::vector<ProcessEntry>& processes);

}  // namespace k32
