// A stand-in for the save dialog: answers with a scripted name, or cancels; keeps what it was shown
// with.
#pragma once

#include <optional>
#include <string>

#include "gui/application.h"
#include "gui/dialogs.h"

namespace k32::testing {

class ScriptedSaveDialogs final : public gui::ISaveDialogs {
 public:
  ScriptedSaveDialogs() { gui::Application().SetSaveDialogs(this); }
  ~ScriptedSaveDialogs() override { gui::Application().SetSaveDialogs(nullptr); }
  bool Execute(HWND, gui::TSaveDialog& dialog) override {
    ++shown;
    defaultExt = dialog.DefaultExt;
    filter = dialog.Filter;
    filterIndex = dialog.FilterIndex;
    flags = dialog.Flags();
    if (!answer) return false;
    dialog.FileName = *answer;
    return true;
  }
  std::optional<std::wstring> answer;
  int shown = 0;
  std::string defaultExt, filter;
  int filterIndex = 0;
  DWORD flags = 0;
};

}  // namespace k32::testing
