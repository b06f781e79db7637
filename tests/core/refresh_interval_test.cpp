#include "app/refresh_interval.h"

#include <gtest/gtest.h>

namespace k32 {

TEST(RefreshInterval, IsTheSecondsInMilliseconds) {
  EXPECT_EQ(RefreshIntervalMs(20), 20000u);
  EXPECT_EQ(RefreshIntervalMs(1), 1000u);
  EXPECT_EQ(RefreshIntervalMs(999), 999000u);
  EXPECT_EQ(RefreshIntervalMs(2147483), 2147483000u);  // the last that fits
}

TEST(RefreshInterval, NeverTicksForPeriodsThatAreNotPositiveOrOverflow) {
  EXPECT_EQ(RefreshIntervalMs(0), 0u);
  EXPECT_EQ(RefreshIntervalMs(-1), 0u);
  EXPECT_EQ(RefreshIntervalMs(-5), 0u);  // would be 4294962296 ms handed over unsigned
  EXPECT_EQ(RefreshIntervalMs(2147484), 0u);
  EXPECT_EQ(RefreshIntervalMs(4294968), 0u);  // wraps to 704 ms in 32 bits
  EXPECT_EQ(RefreshIntervalMs(INT32_MAX), 0u);
  EXPECT_EQ(RefreshIntervalMs(INT32_MIN), 0u);
}

}  // namespace k32
