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

HeaderItemLayout LayoutHeaderItem(const HeaderItemSpec& spec, const MeasureCaption& measure) {
  HeaderItemLayout out;
  HeaderRect r = spec.item;
  if (spec.selected) {
    out.fill = r;
    r = Shrunk(r, 2);
  } else {
    r = Shrunk(r, 2);
    out.fill = r;
  }
  if (!spec.isColumn) return out;
  if (spec.selected) ++r.top, ++r.left;

  HeaderRect t = r;
  if (spec.align == HeaderAlign::kLeft) t.left += 4;
  if (spec.align == HeaderAlign::kRight) t.right -= 4;
  if (spec.image) {
    if (spec.imageSide == HeaderImageSide::kLeftOfText)
      t.left += spec.imageWidth + 4;
    else
      t.right -= spec.imageWidth + 4;
  }
  const int imageY = r.top + (r.bottom - r.top - spec.imageHeight) / 2;

  if (spec.arrow) {
    t.right -= spec.arrowWidth + 8;
    if (t.right < t.left) t.right = t.left;
    t = PlaceCaption(t, r, spec.align, measure);
    if (spec.selected) t = Moved(t, 1, 1);
    out.caption = true;
    out.text = t;
    if (spec.image) {
      out.image = true;
      out.imageY = imageY;
      if (spec.imageSide == HeaderImageSide::kLeftOfText) {
        out.imageX = t.left - spec.imageWidth - 4;
      } else {
        out.imageX = t.right + 4;
        t.right = std::min(t.right + spec.imageWidth, r.right);
      }
    }
    out.arrowX = t.right + 8;
    out.arrowY = t.top + (r.bottom - r.top - spec.arrowHeight) / 2;
    out.arrow = t.right + spec.arrowWidth + 8 <= r.right;
    return out;
  }

  if (spec.selected) t = Moved(t, 1, 1);
  t = PlaceCaption(t, r, spec.align, measure);
  out.caption = true;
  out.text = t;
  if (spec.image) {
    const int x = spec.imageSide == HeaderImageSide::kLeftOfText ? t.left - spec.imageWidth - 4 : t.right + 4;
    if (x >= r.left && x + spec.imageWidth <= r.right) {
      out.image = true;
      out.imageX = x;
      out.imageY = imageY;
    }
  }
  return out;
}

}  // namespace k32
