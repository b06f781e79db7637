// The DPI of a window and of the system, through entry points older systems lack (then 96 or the
// screen's).
#pragma once

#include <windows.h>

#include "common/dpi_scale.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace k32::gui {

// The DPI the system gives new top-level windows.
[[nodiscard]] int SystemDpi();
// The DPI of the monitor a window is on (for a per-monitor aware program).
[[nodiscard]] int WindowDpi(HWND window);
// A system metric (an icon's size, a frame's width) as the system gives it at that DPI.
[[nodiscard]] int SystemMetricForDpi(int index, int dpi);
// The outer rectangle of a client rectangle, with the frame metrics of that DPI.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace k32::gui
