#include "common/priority.h"

#include <gtest/gtest.h>

namespace k32 {

TEST(PriorityText, FourClassesByNameEverythingElseDashes) {
  EXPECT_EQ(PriorityText(0x20), "NORMAL_PRIORITY_CLASS");
  EXPECT_EQ(PriorityText(0x40), "IDLE_PRIORITY_CLASS");
  EXPECT_EQ(PriorityText(0x80), "HIGH_PRIORITY_CLASS");
  EXPECT_EQ(PriorityText(0x100), "REALTIME_PRIORITY_CLASS");
  // Failed query, below normal, above normal, combined bits.
  for (std::uint32_t other : {0x0u, 0x4000u, 0x8000u, 0x60u, 0x120u, 0xFFFFFFFFu})
    EXPECT_EQ(PriorityText(other), "---") << std::hex << other;
}

}  // namespace k32
