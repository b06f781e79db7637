// What the benchmarks that open the program's windows share: the set-up, a clock, the message pump.
#pragma once

#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/application.h"

namespace k32::bench {

// The common controls registered, and every message box answered without a user (the first
// start's question about missing settings).
class WindowBench final : public gui::IMessageBoxes {
 public:
  WindowBench() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    gui::Application().SetMessageBoxes(this);
  }
  ~WindowBench() override { gui::Application().SetMessageBoxes(nullptr); }
  WindowBench(const WindowBench&) = delete;
  WindowBench& operator=(const WindowBench&) = delete;
  int Show(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
};

// Milliseconds of the performance counter.
inline double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace k32::bench
