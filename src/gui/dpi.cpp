#include "gui/dpi.h"

#include "gui/system_entry.h"

namespace k32::gui {

namespace {
template <typename Proc>
Proc User32Entry(const char* name) {
  return SystemEntry<Proc>(L"user32.dll", name);
}

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : kDesignDpi;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : kDesignDpi;
}
}  // namespace

int SystemDpi() {
  static const auto getDpiForSystem = User32Entry<UINT(WINAPI*)()>("GetDpiForSystem");
  if (getDpiForSystem) return static_cast<int>(getDpiForSystem());
  return ScreenDpi();
}

int WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Entry<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  static const auto metricForDpi = User32Entry<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
  if (metricForDpi) return metricForDpi(index, static_cast<UINT>(dpi));
  return ScaleBetweenDpi(GetSystemMetrics(index), SystemDpi(), dpi);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjust =
      User32Entry<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

}  // namespace k32::gui
