#include "common/priority.h"

namespace k32 {

std::string_view PriorityText(std::uint32_t priorityClass) {
  switch (priorityClass) {
    case kNormalPriorityClass:
      return "NORMAL_PRIORITY_CLASS";
    case kIdlePriorityClass:
      return "IDLE_PRIORITY_CLASS";
    case kHighPriorityClass:
      return "HIGH_PRIORITY_CLASS";
    case kRealtimePriorityClass:
      return "REALTIME_PRIORITY_CLASS";
    default:
      return "---";
  }
}

}  // namespace k32
