// What a user meets first in the main window: a list's menu with its pictures and hints, the widths
// of the text buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/main_window_fixture.h"

namespace k32 {
namespace {

using FirstUse = testing::MainWindowTest;

TEST_F(FirstUse, TheListsMenuDrawsTheActionsPicturesAndPutsTheHighlightedItemsHintInPanelTwo) {
  // While the menu is open: down to each item as a user goes, then the pictures off its window.
  std::vector<std::string> hints;
  int red = 0, green = 0;
  int ticks = 0;
  gui::TTimer steps;
  steps.OnTimer = [&] {
    HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr);  // this thread's, not another test's
    while (menu && GetWindowThreadProcessId(menu, nullptr) != GetCurrentThreadId())
      menu = FindWindowExA(nullptr, menu, "#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    const std::string hint = form->StatusBar->PanelText(2);
    if (!hint.empty() && (hints.empty() || hints.back() != hint)) hints.push_back(hint);
    if (hints.size() == 2 || ++ticks == 20) {
      RECT area{};
      GetClientRect(menu, &area);
      HDC dc = GetDC(menu);
      for (int y = 0; y < area.bottom; ++y)
        for (int x = 0; x < 30; ++x) {
          const COLORREF c = GetPixel(dc, x, y);
          const bool upper = y < area.bottom / 2;
          red += upper && GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90;
          green += !upper && GetGValue(c) > 120 && GetRValue(c) < 100 && GetBValue(c) < 100;
        }
      ReleaseDC(menu, dc);
      steps.SetEnabled(false);
      PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 1);
      return;
    }
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 1);
  };
  steps.SetInterval(100);
  SendMessageA(form->ProcList->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->ProcList->Handle()),
               MAKELPARAM(200, 200));
  EXPECT_EQ(hints, (std::vector<std::string>{"终止选定的进程", "刷新进程列表"}));
  EXPECT_GT(red, 20) << "the terminate picture";
  EXPECT_GT(green, 20) << "the refresh picture";
  EXPECT_EQ(form->StatusBar->PanelText(2), "") << "once the menu is closed";
}

TEST_F(FirstUse, TheTextButtonsAreAtLeast65PixelsWide) {
  for (const auto& button : form->ToolBar2->Buttons())
    EXPECT_GE(button->Rect().right - button->Rect().left, 65) << button->Name;
}

}  // namespace
}  // namespace k32
