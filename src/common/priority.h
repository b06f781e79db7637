// Names of the process priority classes, as the process list and the report show them.
#pragma once

#include <cstdint>
#include <string_view>

namespace k32 {

inline constexpr std::uint32_t kNormalPriorityClass = 0x20;
inline constexpr std::uint32_t kIdlePriorityClass = 0x40;
inline constexpr std::uint32_t kHighPriorityClass = 0x80;
inline constexpr std::uint32_t kRealtimePriorityClass = 0x100;

// The class's name for the four classic classes; "---" for every other value, including 0 (the
// process could not be opened or queried) and the classes of later systems.
std::string_view PriorityText(std::uint32_t priorityClass);

}  // namespace k32
