#include "common/dpi_scale.h"

#include <gtest/gtest.h>

namespace k32 {

TEST(DpiScale, RoundsHalfAwayFromZeroAsTheSystemDoesAndPicksTheNearestPicture) {
  EXPECT_EQ(ScaleToDpi(642, 144), 963);
  EXPECT_EQ(ScaleToDpi(455, 144), 683);  // 682.5
  EXPECT_EQ(ScaleToDpi(-1, 144), -2);    // -1.5
  EXPECT_EQ(ScaleToDpi(13, 120), 16);    // 16.25
  EXPECT_EQ(ScaleToDpi(5, 0), 5);
  EXPECT_EQ(ScaleBetweenDpi(963, 144, 96), 642);
  const int dpis[] = {72, 96, 120, 144, 168, 192, 288}, sizes[] = {16, 16, 20, 24, 32, 32, 32};  // 168: a tie
  for (int i = 0; i < 7; ++i) EXPECT_EQ(PictureSizeForDpi(dpis[i]), sizes[i]) << dpis[i];
}

}  // namespace k32
