// The box before a row with rows below it: a minus while they are shown, a plus while folded.
#pragma once

#include <windows.h>

namespace k32::gui {

// Picture 0 (unfolded) or 1 (folded) on a square of size pixels at the origin.
void DrawFoldBox(HDC dc, int size, int index);

}  // namespace k32::gui
