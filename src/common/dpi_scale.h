// Pixels designed at 96 dots per inch, scaled to a window's DPI the way the system scales them.
#pragma once

namespace k32 {

inline constexpr int kDesignDpi = 96;

// value * dpi / 96, rounded half away from zero (as MulDiv rounds); a DPI of 0 or less leaves it.
[[nodiscard]] int ScaleToDpi(int value, int dpi);
// The same between any two DPIs: a value the user set at one DPI, carried to another or stored as
// a 96-DPI value. Beyond the range of int it stops at the range's end.
[[nodiscard]] int ScaleBetweenDpi(int value, int fromDpi, int toDpi);
// The picture size drawn for a DPI: of 16, 20, 24 and 32 pixels the one nearest to 16 scaled (the
// larger on a tie).
[[nodiscard]] int PictureSizeForDpi(int dpi);

}  // namespace k32
