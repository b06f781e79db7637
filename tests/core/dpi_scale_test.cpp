#include "common/dpi_scale.h"

#include <gtest/gtest.h>

namespace k32 {

TEST(DpiScale, RoundsHalfAwayFromZeroAsTheSystemDoes) {
  EXPECT_EQ(ScaleToDpi(642, 144), 963);
  EXPECT_EQ(ScaleToDpi(455, 144), 683);  // 682.5
  EXPECT_EQ(ScaleToDpi(-12, 144), -18);
  EXPECT_EQ(ScaleToDpi(-1, 144), -2);  // -1.5
  EXPECT_EQ(ScaleToDpi(13, 120), 16);  // 16.25
  EXPECT_EQ(ScaleToDpi(207, 96), 207);
  EXPECT_EQ(ScaleToDpi(5, 0), 5);
  EXPECT_EQ(ScaleBetweenDpi(963, 144, 96), 642);
}

TEST(DpiScale, ThePictureSizeIsTheNearestDrawn) {
  EXPECT_EQ(PictureSizeForDpi(96), 16);
  EXPECT_EQ(PictureSizeForDpi(120), 20);
  EXPECT_EQ(PictureSizeForDpi(144), 24);
  EXPECT_EQ(PictureSizeForDpi(168), 32);  // 28: a tie goes to the larger
  EXPECT_EQ(PictureSizeForDpi(192), 32);
  EXPECT_EQ(PictureSizeForDpi(288), 32);
  EXPECT_EQ(PictureSizeForDpi(72), 16);
}

}  // namespace k32
