#include "listview/header_layout.h"

#include <algorithm>

namespace k32 {

namespace {

HeaderRect Shrunk(HeaderRect r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

HeaderRect Moved(HeaderRect r, int dx, int dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// Puts the measured caption in t by the alignment, then keeps it inside r.
HeaderRect PlaceCaption(HeaderRect t, const HeaderRect& r, HeaderAlign align, const MeasureCaption& measure) {
  const HeaderRect c = measure(t);
  const int width = c.right - c.left;
  switch (align) {
    case HeaderAlign::kRight:
      t.left = t.right - width;
      break;
    case HeaderAlign::kCenter:
      t.left += ((t.right - t.left) - width) / 2;
      t.right = t.left + width;
      break;
    case HeaderAlign::kLeft:
      t = c;
      break;
  }
  t.left = std::max(t.left, r.left);
  t.right = std::min(t.right, r.right);
  return t;
}

}  // namespace

HeaderItemLayout LayoutHeaderItem(const HeaderItemRequest& request, const MeasureCaption& measure) {
  HeaderItemLayout out;
  HeaderRect r = request.item;
  if (request.selected) {
    out.fill = r;
    r = Shrunk(r, 2);
  } else {
    r = Shrunk(r, 2);
    out.fill = r;
  }
  if (!request.isColumn) return out;
  if (request.selected) ++r.top, ++r.left;

  HeaderRect t = r;
  if (request.align == HeaderAlign::kLeft) t.left += 4;
  if (request.align == HeaderAlign::kRight) t.right -= 4;
  if (request.image) {
    if (request.imageSide == HeaderImageSide::kLeftOfText)
      t.left += request.imageWidth + 4;
    else
      t.right -= request.imageWidth + 4;
  }
  const int imageY = r.top + (r.bottom - r.top - request.imageHeight) / 2;

  if (request.arrow) {
    t.right -= request.arrowWidth + 8;
    if (t.right < t.left) t.right = t.left;
    t = PlaceCaption(t, r, request.align, measure);
    if (request.selected) t = Moved(t, 1, 1);
    out.caption = true;
    out.text = t;
    if (request.image) {
      out.image = true;
      out.imageY = imageY;
      if (request.imageSide == HeaderImageSide::kLeftOfText) {
        out.imageX = t.left - request.imageWidth - 4;
      } else {
        out.imageX = t.right + 4;
        t.right = std::min(t.right + request.imageWidth, r.right);
      }
    }
    out.arrowX = t.right + 8;
    out.arrowY = t.top + (r.bottom - r.top - request.arrowHeight) / 2;
    out.arrow = t.right + request.arrowWidth + 8 <= r.right;
    return out;
  }

  if (request.selected) t = Moved(t, 1, 1);
  t = PlaceCaption(t, r, request.align, measure);
  out.caption = true;
  out.text = t;
  if (request.image) {
    const int x =
        request.imageSide == HeaderImageSide::kLeftOfText ? t.left - request.imageWidth - 4 : t.right + 4;
    if (x >= r.left && x + request.imageWidth <= r.right) {
      out.image = true;
      out.imageX = x;
      out.imageY = imageY;
    }
  }
  return out;
}

}  // namespace k32
