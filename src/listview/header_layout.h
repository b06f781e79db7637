// Where the parts of one owner-drawn header item go: the filled background, the caption, the
// column image and the sort arrow, from the item's rectangle and the caption's measured size.
#pragma once

#include <functional>

namespace k32 {

struct HeaderRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr bool operator==(const HeaderRect&) const = default;
};

enum class HeaderAlign { kLeft, kRight, kCenter };
enum class HeaderImageSide { kLeftOfText, kRightOfText };

struct HeaderItemRequest {
  HeaderRect item;        // the rectangle the header gives for the item
  bool selected = false;  // the item is pressed
  bool isColumn = true;   // false: an item beyond the columns gets its background only
  HeaderAlign align = HeaderAlign::kLeft;
  bool image = false;  // a column image of the small-image list
  HeaderImageSide imageSide = HeaderImageSide::kRightOfText;
  int imageWidth = 0, imageHeight = 0;
  bool arrow = false;  // the item of the sort column, sorting on
  int arrowWidth = 0, arrowHeight = 0;
};

struct HeaderItemLayout {
  HeaderRect fill;
  bool caption = false;
  HeaderRect text;
  bool image = false;
  int imageX = 0, imageY = 0;
  bool arrow = false;
  int arrowX = 0, arrowY = 0;
};

// The rectangle a single-line caption takes when measured from the given one (DT_CALCRECT).
using MeasureCaption = std::function<HeaderRect(const HeaderRect&)>;

// The caption keeps 4 pixels from the side it is aligned to; the arrow stands 8 pixels right of the
// caption and is left out where the item is too narrow for it. A pressed item draws 1 pixel right
// and down.
HeaderItemLayout LayoutHeaderItem(const HeaderItemRequest& request, const MeasureCaption& measure);

}  // namespace k32
