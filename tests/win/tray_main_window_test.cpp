// The main window hidden to its notification-area icon and brought back from it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/form_main.h"
#include "system/fake_services.h"
#include "win/main_window_fixture.h"
#include "win/recording_shell.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

class TrayMainWindow : public testing::MainWindowTest {
 protected:
  gui::TMenuItem& Restore() { return *form->TrayMenu.Find("miRestore"); }
  HWND Window() { return form->Handle(); }
  // Waits for the window's asynchronous showing or hiding to land.
  bool VisibleAfterPump(bool expected) {
    for (int i = 0; i < 100 && (IsWindowVisible(Window()) != FALSE) != expected; ++i) testing::Pump(20);
    return IsWindowVisible(Window()) != FALSE;
  }
  // Right-clicks the icon and chooses the first item of the menu it opens; returns that item's text.
  std::string ChooseFirstTrayItem(bool* isDefault = nullptr) {
    std::string caption;
    gui::TPopupMenu::TrackHook = [&](gui::TPopupMenu&, HMENU built, POINT) -> UINT {
      char text[64] = {};
      GetMenuStringA(built, 0, text, sizeof text, MF_BYPOSITION);
      caption = text;
      if (isDefault) *isDefault = (GetMenuState(built, 0, MF_BYPOSITION) & MFS_DEFAULT) != 0;
      return GetMenuItemID(built, 0);
    };
    SendMessageA(form->SysTray->Handle(), TSysTray::kCallbackMessage, 0, WM_RBUTTONUP);
    testing::Pump();  // the menu opens from the loop
    gui::TPopupMenu::TrackHook = nullptr;
    return caption;
  }

  testing::RecordingBoxes boxes;  // whatever the start-up would ask
  testing::RecordingShell shell;
};

TEST_F(TrayMainWindow, HiddenToTheIconTheTimerTakesNoSnapshotAndOneRefreshRunsWhenItIsBack) {
  form->Timer.SetInterval(30);
  form->Timer.SetEnabled(true);
  gui::Application().Minimize();
  ASSERT_FALSE(VisibleAfterPump(false));
  const int snapshots = services.processSnapshots;
  testing::Pump(300);
  EXPECT_EQ(services.processSnapshots, snapshots);
  form->Timer.SetEnabled(false);
  gui::Application().Restore();
  EXPECT_TRUE(VisibleAfterPump(true));
  EXPECT_EQ(services.processSnapshots, snapshots + 1);
}

TEST_F(TrayMainWindow, TheIconIsThereFromTheStartWithItsTipAndMenu) {
  ASSERT_NE(form->SysTray, nullptr);
  EXPECT_TRUE(form->SysTray->Active());
  EXPECT_FALSE(form->SysTray->Animate());
  EXPECT_EQ(form->SysTray->Images(), nullptr);
  EXPECT_EQ(form->SysTray->PopupMenu, &form->TrayMenu);
  ASSERT_FALSE(shell.notified.empty());
  EXPECT_EQ(shell.notified[0].message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(shell.notified[0].record.hWnd, form->SysTray->Handle());
  EXPECT_STREQ(shell.notified[0].record.szTip, "Kestrel32");
  EXPECT_EQ(Restore().Caption, "最小化(&M)");
  EXPECT_EQ(Restore().Tag, 0);

  HWND trayWindow = form->SysTray->Handle();
  form.reset();
  EXPECT_EQ(shell.notified.back().message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(shell.notified.back().record.hWnd, trayWindow);
}

TEST_F(TrayMainWindow, MinimisingHidesTheTaskBarButtonAndTheTrayMenuRestoresIt) {
  bool isDefault = false;
  ShowWindow(Window(), SW_MINIMIZE);
  EXPECT_EQ(Restore().Caption, "还原");
  EXPECT_EQ(Restore().Tag, 1);
  EXPECT_FALSE(VisibleAfterPump(false)) << "no window, no task-bar button";

  EXPECT_EQ(ChooseFirstTrayItem(&isDefault), "还原");
  EXPECT_TRUE(isDefault);
  EXPECT_TRUE(VisibleAfterPump(true));
  EXPECT_FALSE(IsIconic(Window()));
  EXPECT_EQ(Restore().Caption, "最小化");
  EXPECT_EQ(Restore().Tag, 0);

  // With tag 0 the same item minimises, and the round goes again.
  EXPECT_EQ(ChooseFirstTrayItem(), "最小化");
  EXPECT_FALSE(VisibleAfterPump(false));
  EXPECT_TRUE(IsIconic(Window()));
  EXPECT_EQ(Restore().Caption, "还原");
  EXPECT_EQ(Restore().Tag, 1);
}

TEST_F(TrayMainWindow, ALeftClickOnTheIconBringsTheWindowBackAndToTheFront) {
  ShowWindow(Window(), SW_MINIMIZE);
  ASSERT_FALSE(VisibleAfterPump(false));
  SendMessageA(form->SysTray->Handle(), TSysTray::kCallbackMessage, 0, WM_LBUTTONUP);
  EXPECT_TRUE(VisibleAfterPump(true));
  EXPECT_FALSE(IsIconic(Window()));
  EXPECT_EQ(Restore().Caption, "最小化");

  // Already shown: it only comes to the front.
  gui::TForm other;
  other.SetBounds(50, 50, 200, 100);
  other.Show();
  testing::Pump();
  ASSERT_EQ(GetForegroundWindow(), other.Handle());
  SendMessageA(form->SysTray->Handle(), TSysTray::kCallbackMessage, 0, WM_LBUTTONUP);
  testing::Pump();
  EXPECT_EQ(GetForegroundWindow(), Window());
  EXPECT_EQ(Restore().Tag, 0);
}

TEST_F(TrayMainWindow, WithADialogOpenTheClickBringsTheDialogToTheFront) {
  gui::TForm dialog(form.get());
  dialog.BorderStyle = gui::TBorderStyle::bsDialog;
  dialog.SetBounds(100, 100, 200, 100);
  gui::TForm elsewhere;  // another program's window, say
  elsewhere.SetBounds(400, 400, 200, 100);
  HWND foreground = nullptr;
  gui::Application().OnModalShow = [&](gui::TForm& shown) {
    elsewhere.Show();
    testing::Pump();
    SendMessageA(form->SysTray->Handle(), TSysTray::kCallbackMessage, 0, WM_LBUTTONUP);
    testing::Pump();
    foreground = GetForegroundWindow();
    shown.SetModalResult(gui::mrOk);
  };
  dialog.ShowModal();
  gui::Application().OnModalShow = nullptr;
  EXPECT_EQ(foreground, dialog.Handle());
}

TEST_F(TrayMainWindow, AMaximisedWindowStaysMaximisedWhenTheIconIsClicked) {
  ShowWindow(Window(), SW_MAXIMIZE);
  testing::Pump();
  ASSERT_TRUE(IsZoomed(Window()));
  SendMessageA(form->SysTray->Handle(), TSysTray::kCallbackMessage, 0, WM_LBUTTONUP);
  testing::Pump();
  EXPECT_TRUE(IsZoomed(Window()));
  EXPECT_TRUE(IsWindowVisible(Window()));
}

}  // namespace
}  // namespace k32
