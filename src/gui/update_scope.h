// Redraw off for one batch of changes to a control (a list, the report text), on again however the
// batch ends.
#pragma once

#include "gui/guard.h"

namespace k32::gui {

template <typename Control>
class TUpdateScope {
 public:
  explicit TUpdateScope(Control& control) : control_(control) { control_.BeginUpdate(); }
  // Ending the update may sort a list's rows.
  ~TUpdateScope() {
    Guarded([this] { control_.EndUpdate(); });
  }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  Control& control_;
};

}  // namespace k32::gui
