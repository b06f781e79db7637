// The crosshair drag: while the left button is held, the window under the pointer is outlined and
// reported; letting go picks it, Esc (or losing the mouse) picks nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "system/services.h"

namespace k32 {

// Runs its own message loop until the drag ends; `capture` is the window that holds the mouse
// meanwhile (the one the press was on). Windows of this process are never outlined or picked.
// hover hears of each new window under the pointer (0: none, or one of this process).
struct PickedWindow {
  WindowId window = 0;
  WindowId topLevel = 0;  // the top-level window that holds it (the window itself when top-level)
};
std::optional<PickedWindow> PickWindow(HWND capture, const std::function<void(WindowId under)>& hover);

}  // namespace k32
