#include "gui/fold_box.h"

#include "gui/handles.h"

namespace k32::gui {

void DrawFoldBox(HDC dc, int size, int index) {
  // An odd side, so that the sign stands in the middle: 9 pixels at 16.
  int side = size * 9 / 16;
  side -= 1 - side % 2;
  const int left = (size - side) / 2, top = (size - side) / 2;
  const int middle = side / 2, margin = side / 4;
  const RECT box{left, top, left + side, top + side};
  const BrushHandle fill(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
  const BrushHandle frame(CreateSolidBrush(GetSysColor(COLOR_GRAYTEXT)));
  const BrushHandle sign(CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT)));
  FillRect(dc, &box, fill.Get());
  FrameRect(dc, &box, frame.Get());
  const int thickness = size >= 28 ? 2 : 1;
  const RECT across{left + margin, top + middle - thickness / 2, left + side - margin,
                    top + middle - thickness / 2 + thickness};
  FillRect(dc, &across, sign.Get());
  if (index == 1) {
    const RECT down{left + middle - thickness / 2, top + margin, left + middle - thickness / 2 + thickness,
                    top + side - margin};
    FillRect(dc, &down, sign.Get());
  }
}

}  // namespace k32::gui
