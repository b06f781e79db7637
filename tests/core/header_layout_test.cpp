#include "listview/header_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace k32 {
namespace {

// A caption of the given width and 12 pixels high, measured as DT_CALCRECT does: from the left and
// top of the rectangle it is measured in; clipped says whether an ellipsis keeps it inside.
MeasureCaption Caption(int width, bool clipped = false) {
  return [=](const HeaderRect& t) {
    const int w = clipped ? std::min(width, std::max(t.right - t.left, 0)) : width;
    return HeaderRect{t.left, t.top, t.left + w, t.top + 12};
  };
}

HeaderItemRequest Item(HeaderRect r, HeaderAlign align, bool arrow) {
  HeaderItemRequest request;
  request.item = r;
  request.align = align;
  request.arrow = arrow;
  request.arrowWidth = request.arrowHeight = 6;
  return request;
}

TEST(HeaderLayout, LeftAlignedCaptionWithTheArrowEightPixelsRightOfIt) {
  const auto out = LayoutHeaderItem(Item({0, 0, 120, 20}, HeaderAlign::kLeft, true), Caption(40));
  EXPECT_EQ(out.fill, (HeaderRect{2, 2, 118, 18}));
  ASSERT_TRUE(out.caption);
  EXPECT_EQ(out.text, (HeaderRect{6, 2, 46, 14}));  // the measured rectangle itself
  ASSERT_TRUE(out.arrow);
  EXPECT_EQ(out.arrowX, 54);
  EXPECT_EQ(out.arrowY, 7);  // 2 + (16 - 6) / 2
}

TEST(HeaderLayout, RightAlignedCaptionStandsLeftOfTheArrowsRoom) {
  const auto out = LayoutHeaderItem(Item({0, 0, 70, 20}, HeaderAlign::kRight, true), Caption(24));
  EXPECT_EQ(out.text, (HeaderRect{26, 2, 50, 18}));  // 68 - 4 - (6 + 8) = 50
  ASSERT_TRUE(out.arrow);
  EXPECT_EQ(out.arrowX, 58);
  const auto plain = LayoutHeaderItem(Item({0, 0, 70, 20}, HeaderAlign::kRight, false), Caption(24));
  EXPECT_EQ(plain.text, (HeaderRect{40, 2, 64, 18}));
  EXPECT_FALSE(plain.arrow);
}

TEST(HeaderLayout, CentredCaptionRoundsTowardZero) {
  const auto out = LayoutHeaderItem(Item({0, 0, 101, 20}, HeaderAlign::kCenter, true), Caption(24));
  EXPECT_EQ(out.text, (HeaderRect{31, 2, 55, 18}));  // 2 + (83 - 24) / 2
  EXPECT_EQ(out.arrowX, 63);
  // Wider than its room: a negative half rounds toward zero, not down.
  auto request = Item({0, 0, 60, 20}, HeaderAlign::kCenter, false);
  request.image = true;
  request.imageSide = HeaderImageSide::kLeftOfText;
  request.imageWidth = request.imageHeight = 16;
  const auto wide = LayoutHeaderItem(request, Caption(41));
  EXPECT_EQ(wide.text.left, 22 + (36 - 41) / 2);
  EXPECT_EQ(wide.text.left, 20);
}

TEST(HeaderLayout, NarrowItemLosesItsArrow) {
  // The caption measured wider than the item is kept inside it, leaving no room for the arrow.
  auto out = LayoutHeaderItem(Item({0, 0, 40, 20}, HeaderAlign::kLeft, true), Caption(40));
  EXPECT_EQ(out.text, (HeaderRect{6, 2, 38, 14}));
  EXPECT_FALSE(out.arrow);
  // With an ellipsis the caption ends where the arrow's room begins: just fits.
  out = LayoutHeaderItem(Item({0, 0, 40, 20}, HeaderAlign::kLeft, true), Caption(40, true));
  EXPECT_EQ(out.text, (HeaderRect{6, 2, 24, 14}));
  EXPECT_TRUE(out.arrow);
  // No room at all: the caption's rectangle collapses and the arrow goes.
  out = LayoutHeaderItem(Item({0, 0, 20, 20}, HeaderAlign::kLeft, true), Caption(40, true));
  EXPECT_EQ(out.text, (HeaderRect{6, 2, 6, 14}));
  EXPECT_FALSE(out.arrow);
}

TEST(HeaderLayout, PressedItemFillsAllAndDrawsOnePixelRightAndDown) {
  auto request = Item({0, 0, 120, 20}, HeaderAlign::kLeft, true);
  request.selected = true;
  auto out = LayoutHeaderItem(request, Caption(40));
  EXPECT_EQ(out.fill, (HeaderRect{0, 0, 120, 20}));
  EXPECT_EQ(out.text, (HeaderRect{8, 4, 48, 16}));
  EXPECT_EQ(out.arrowX, 56);
  EXPECT_EQ(out.arrowY, 8);  // 4 + (15 - 6) / 2
  request.arrow = false;
  out = LayoutHeaderItem(request, Caption(40));
  EXPECT_EQ(out.text, (HeaderRect{8, 4, 48, 16}));
}

TEST(HeaderLayout, ItemBeyondTheColumnsGetsItsBackgroundOnly) {
  auto request = Item({200, 0, 300, 20}, HeaderAlign::kLeft, true);
  request.isColumn = false;
  const auto out = LayoutHeaderItem(request, Caption(40));
  EXPECT_EQ(out.fill, (HeaderRect{202, 2, 298, 18}));
  EXPECT_FALSE(out.caption);
  EXPECT_FALSE(out.arrow);
  EXPECT_FALSE(out.image);
}

TEST(HeaderLayout, ColumnImageBesideTheCaption) {
  auto request = Item({0, 0, 150, 20}, HeaderAlign::kLeft, true);
  request.image = true;
  request.imageWidth = request.imageHeight = 16;
  auto out = LayoutHeaderItem(request, Caption(40));
  EXPECT_EQ(out.text, (HeaderRect{6, 2, 46, 14}));
  ASSERT_TRUE(out.image);
  EXPECT_EQ(out.imageX, 50);
  EXPECT_EQ(out.imageY, 2);
  EXPECT_EQ(out.arrowX, 70);  // after the image: 46 + 16 + 8

  request.arrow = false;
  request.item = {0, 0, 60, 20};
  request.imageSide = HeaderImageSide::kLeftOfText;
  out = LayoutHeaderItem(request, Caption(40));
  EXPECT_EQ(out.text, (HeaderRect{26, 2, 58, 14}));
  ASSERT_TRUE(out.image);
  EXPECT_EQ(out.imageX, 6);
  // Without the arrow an image that would stick out of the item is left out.
  request.imageSide = HeaderImageSide::kRightOfText;
  out = LayoutHeaderItem(request, Caption(40));
  EXPECT_FALSE(out.image);
}

}  // namespace
}  // namespace k32
