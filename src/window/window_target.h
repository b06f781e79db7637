// What the window properties command acts on, read from the window lists at one moment.
#pragma once

#include <optional>

#include "gui/listview.h"
#include "system/services.h"

namespace k32 {

struct WindowTarget {
  // False when neither window list has the keyboard focus: the command then does nothing.
  bool listFocused = false;
  // The window of the focused list's selected row; none when no row is selected.
  std::optional<WindowId> window;
  // The selected row is marked gone: the window has closed.
  bool ended = false;
};

// From the window list when it has the focus, else from the child list.
WindowTarget ReadWindowTarget(const gui::TListView& windows, const gui::TListView& children);

}  // namespace k32
