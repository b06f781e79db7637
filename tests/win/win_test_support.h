// What the in-process Win32 tests share: a recorder standing in for message boxes, a pump.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/application.h"

namespace k32::testing {

struct ShownBox {
  std::string text, caption;
  UINT flags;
};

// Records every message box and answers with a scripted button (IDOK when none is left).
class RecordingBoxes final : public gui::IMessageBoxes {
 public:
  RecordingBoxes() { gui::Application().SetMessageBoxes(this); }
  ~RecordingBoxes() override { gui::Application().SetMessageBoxes(nullptr); }
  int Show(HWND, const std::string& text, const std::string& caption, UINT flags) override {
    shown.push_back({text, caption, flags});
    if (OnShow) OnShow(shown.back());
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  // The texts of the boxes shown so far, in order.
  [[nodiscard]] std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ShownBox& box : shown) texts.push_back(box.text);
    return texts;
  }
  std::vector<ShownBox> shown;
  std::vector<int> answers;
  // Runs while the box would be open, before it is answered (a timer tick, say).
  std::function<void(ShownBox)> OnShow;
};

// A window class of this module that does nothing of its own, for probe windows a test makes.
inline void RegisterProbeClass(const char* name) {
  WNDCLASSA probeClass{};
  probeClass.lpfnWndProc = DefWindowProcA;
  probeClass.hInstance = GetModuleHandleA(nullptr);
  probeClass.lpszClassName = name;
  RegisterClassA(&probeClass);
}

// Handles every waiting message, as the program's loop would, for a while.
inline void Pump(DWORD milliseconds = 0) {
  const DWORD start = GetTickCount();
  do {
    gui::Application().ProcessMessages();
    if (milliseconds) Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

}  // namespace k32::testing
