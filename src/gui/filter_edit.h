// An edit that reports every change as it is typed, shows a grey cue text while it is empty and
// unfocused, and hands Esc to its owner instead of the dialog navigation.
#pragma once

#include <functional>
#include <string>

#include "gui/stdctrls.h"

namespace k32::gui {

class TFilterEdit : public TEdit {
 public:
  TFilterEdit(TWinControl* parent, std::string cue);

  std::function<void()> OnEscape;

 protected:
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void DrawCue();

  std::string cue_;
};

}  // namespace k32::gui
