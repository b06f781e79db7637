// What a user meets first in the main window: the pictures of a list's menu, the widths of the text
// buttons, the keyboard reaching the lists and the dialogs, the hint leaving with the pointer.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "about/form_about.h"
#include "app/form_settings.h"
#include "win/main_window_fixture.h"
#include "window/form_winprop.h"

namespace k32 {
namespace {

class FirstUse : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    services.AddWindow(0x2000).className = L"TProbeForm";
    MainWindowTest::SetUp();
  }
  // A key at the focus through the program's loop, with one modifier held.
  static HWND Key(WPARAM key, BYTE held = 0) {
    BYTE keys[256] = {}, saved[256] = {};
    GetKeyboardState(saved);
    std::copy(std::begin(saved), std::end(saved), keys);
    if (held) keys[held] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    testing::Pump();
    SetKeyboardState(saved);
    return GetFocus();
  }
  // Whether the dialog that opens has the focus on the control it names.
  bool OpensAt(const std::function<void()>& open, const std::function<gui::TControl*(gui::TForm&)>& first) {
    bool focused = false;
    gui::Application().OnModalShow = [&](gui::TForm& shown) {
      focused = GetFocus() == first(shown)->Handle();
      shown.SetModalResult(gui::mrCancel);
    };
    open();
    return focused;
  }
};

TEST_F(FirstUse, TheListsMenuDrawsTheActionsPictures) {
  int red = 0, green = 0;  // the terminate picture above, the refresh picture below
  gui::TTimer look;
  look.OnTimer = [&] {
    HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr);  // this thread's, not another test's
    while (menu && GetWindowThreadProcessId(menu, nullptr) != GetCurrentThreadId())
      menu = FindWindowExA(nullptr, menu, "#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    RECT area{};
    GetClientRect(menu, &area);
    HDC dc = GetDC(menu);
    for (int y = 0; y < area.bottom; ++y)
      for (int x = 0; x < 30; ++x) {
        const COLORREF c = GetPixel(dc, x, y);
        // Three items: terminate (red), refresh (green), copy (no picture).
        red += y < area.bottom / 3 && GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90;
        green += y >= area.bottom / 3 && y < area.bottom * 2 / 3 && GetGValue(c) > 120 && GetRValue(c) < 100 &&
                 GetBValue(c) < 100;
      }
    ReleaseDC(menu, dc);
    look.SetEnabled(false);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 1);
  };
  look.SetInterval(200);
  SendMessageA(form->ProcessPage().ProcList()->Handle(), WM_CONTEXTMENU,
               reinterpret_cast<WPARAM>(form->ProcessPage().ProcList()->Handle()), MAKELPARAM(200, 200));
  EXPECT_GT(red, 20);
  EXPECT_GT(green, 20);
}

TEST_F(FirstUse, TheTextButtonsAreAtLeast65PixelsWide) {
  for (const auto& button : form->ToolBar2->Buttons())
    EXPECT_GE(button->Rect().right - button->Rect().left, 65) << button->Name;
}

// The activation and the pointer are one for the whole desktop: these run alone.
using FirstUseAlone = FirstUse;

TEST_F(FirstUseAlone, TheKeyboardGoesFromListToListAndToTheFirstControlOfEachDialog) {
  EXPECT_EQ(GetFocus(), form->ProcessPage().ProcList()->Handle());
  EXPECT_EQ(Key(VK_TAB), form->ProcessPage().ModuleList()->Handle());
  EXPECT_EQ(Key(VK_DOWN), form->ProcessPage().ModuleList()->Handle()) << "the list keeps its arrow keys";
  EXPECT_EQ(Key(VK_TAB), form->FilterEdit->Handle()) << "the filter field after the lists";
  EXPECT_EQ(Key(VK_TAB), form->ProcessPage().ProcList()->Handle());
  EXPECT_EQ(Key(VK_TAB, VK_SHIFT), form->FilterEdit->Handle());
  EXPECT_EQ(Key(VK_ESCAPE), form->ProcessPage().ProcList()->Handle())
      << "Esc in the filter: back to the list";
  EXPECT_EQ(Key('F', VK_CONTROL), form->FilterEdit->Handle());
  EXPECT_EQ(Key(VK_TAB, VK_SHIFT), form->ProcessPage().ModuleList()->Handle());
  EXPECT_EQ(Key('W', VK_CONTROL), form->WindowPage().WindowList()->Handle());

  EXPECT_TRUE(OpensAt([&] { form->SettingsCmdExecute(); },
                      [](gui::TForm& shown) { return dynamic_cast<TFormSettings&>(shown).cbAutoRefresh; }));
  EXPECT_TRUE(OpensAt([&] { form->WinPropCmdExecute(); },
                      [](gui::TForm& shown) { return dynamic_cast<TFormWinProp&>(shown).edHandle; }));
  EXPECT_TRUE(OpensAt([&] { form->miAboutClick(); },
                      [](gui::TForm& shown) { return dynamic_cast<TFormAbout&>(shown).btnOK; }));
  EXPECT_EQ(GetFocus(), form->WindowPage().WindowList()->Handle()) << "back where it was";
  EXPECT_EQ(Key(VK_TAB), form->WindowPage().ChildList()->Handle()) << "Tab after the dialogs";
  EXPECT_EQ(Key('P', VK_CONTROL), form->ProcessPage().ProcList()->Handle());
}

TEST_F(FirstUseAlone, PanelTwoEmptiesWhenThePointerLeavesTheWindow) {
  const auto hintWithPointerAt = [&](POINT point, const std::string& awaited) {
    SetCursorPos(point.x, point.y);
    for (int i = 0; i < 100 && form->StatusBar->PanelText(2) != awaited; ++i) testing::Pump(20);
    return form->StatusBar->PanelText(2);
  };
  const RECT button = form->ToolBar1->Find("tbRefresh")->Rect();
  POINT over{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  ClientToScreen(form->ToolBar1->Handle(), &over);
  EXPECT_EQ(hintWithPointerAt(over, "刷新进程列表"), "刷新进程列表");
  EXPECT_EQ(hintWithPointerAt({1270, 1010}, ""), "");
}

}  // namespace
}  // namespace k32
