// The crosshair's drag loop ends the moment its capture goes, whatever took it.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "window/window_picker.h"

namespace k32 {
namespace {

// Another thread cancels the drag as the system does when a window takes the activation: a sent
// WM_CANCELMODE, which releases the capture and leaves nothing in the drag's queue.
TEST(WindowPicker, ADragWhoseCaptureGoesEndsAtOnceWithNothingPicked) {
  HWND window = CreateWindowExA(0, "STATIC", "capture", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const DWORD loopThread = GetCurrentThreadId();
  HANDLE ended = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> nudged = false;
  std::thread canceller([&] {
    for (;;) {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      if (GetGUIThreadInfo(loopThread, &info) && info.hwndCapture == window) break;
      Sleep(10);
    }
    SendMessageA(window, WM_CANCELMODE, 0, 0);
    // A loop still waiting for a message long after would wait for the user's next move.
    if (WaitForSingleObject(ended, 5000) == WAIT_TIMEOUT) {
      nudged = true;
      PostThreadMessageA(loopThread, WM_NULL, 0, 0);
    }
  });
  int hovers = 0;
  const auto picked = PickWindow(window, [&](WindowId) { ++hovers; });
  SetEvent(ended);
  canceller.join();
  CloseHandle(ended);
  EXPECT_FALSE(picked.has_value());
  EXPECT_FALSE(nudged) << "the drag went on after its capture had gone";
  EXPECT_NE(GetCapture(), window);
  DestroyWindow(window);
}

}  // namespace
}  // namespace k32
