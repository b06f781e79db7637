// The settings dialog on the real main window: layout, what it shows, OK with good and bad seconds,
// Cancel, the refresh timer, keys.
#include "app/form_settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/form_main.h"
#include "win/main_window_fixture.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

class SettingsDialog : public testing::MainWindowTest {
 protected:
  // Opens the dialog through the command and acts on it once it is up. A dialog the action leaves
  // open is closed afterwards, so a failing test never waits for a user.
  void WithDialog(const std::function<void(TFormSettings&)>& act) {
    opened = 0;
    gui::Application().OnModalShow = [&](gui::TForm& shown) {
      ++opened;
      auto* dialog = dynamic_cast<TFormSettings*>(&shown);
      ASSERT_NE(dialog, nullptr);
      dialogWindow = dialog->Handle();
      act(*dialog);
      PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
    };
    form->SettingsCmdExecute();
    gui::Application().OnModalShow = nullptr;
  }
  // OK with a seconds entry: true when the dialog closed.
  bool Confirm(TFormSettings& dialog, const std::string& seconds) {
    dialog.edSec->SetText(seconds);
    dialog.btnOK->Click();
    return dialog.ModalResult() == gui::mrOk;
  }
  static RECT Place(gui::TControl* control) {
    RECT rect{};
    GetWindowRect(control->Handle(), &rect);
    MapWindowPoints(nullptr, GetParent(control->Handle()), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  testing::RecordingBoxes boxes;
  int opened = 0;
  HWND dialogWindow = nullptr;
};

TEST_F(SettingsDialog, IsLaidOutWithItsCaptionsPlacesAndTabOrder) {
  WithDialog([&](TFormSettings& dialog) {
    EXPECT_EQ(dialog.Caption(), "设置");
    EXPECT_EQ(dialog.ClientWidth(), 288);
    EXPECT_EQ(dialog.ClientHeight(), 271);
    const LONG style = GetWindowLongA(dialog.Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), form->Handle());
    // Centred on the screen's work area.
    RECT area{}, rect{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(dialog.Handle(), &rect);
    EXPECT_NEAR(rect.left + rect.right, area.left + area.right, 2);
    EXPECT_NEAR(rect.top + rect.bottom, area.top + area.bottom, 2);

    struct Expected {
      gui::TControl* control;
      gui::TControl* parent;
      const char* caption;
      RECT place;
    };
    const Expected controls[] = {
        {dialog.GroupBox1, &dialog, "刷新", {8, 8, 281, 57}},
        {dialog.cbAutoRefresh, dialog.GroupBox1, "自动刷新每隔(&R)", {16, 20, 125, 37}},
        {dialog.edSec, dialog.GroupBox1, nullptr, {129, 18, 162, 39}},
        {dialog.GroupBox2, &dialog, "确认", {8, 64, 281, 113}},
        {dialog.cbConfirm, dialog.GroupBox2, "确认进程终止(&C)", {16, 20, 169, 37}},
        {dialog.GroupBox3, &dialog, "报告包含", {8, 120, 281, 225}},
        {dialog.cbProcID, dialog.GroupBox3, "进程 ID(&P)", {16, 24, 121, 41}},
        {dialog.cbPProcID, dialog.GroupBox3, "父级进程 ID(&A)", {16, 40, 121, 57}},
        {dialog.cbThreadCount, dialog.GroupBox3, "线程数量(&T)", {16, 56, 121, 73}},
        {dialog.cbPriority, dialog.GroupBox3, "优先级(&I)", {16, 72, 121, 89}},
        {dialog.cbModules, dialog.GroupBox3, "相关模块(&N)", {150, 24, 255, 41}},
        {dialog.cbPath, dialog.GroupBox3, "路径(&H)", {168, 40, 249, 57}},
        {dialog.cbHandle, dialog.GroupBox3, "句柄(&E)", {168, 56, 249, 73}},
        {dialog.cbSize, dialog.GroupBox3, "大小(&S)", {168, 72, 249, 89}},
        {dialog.btnOK, &dialog, "确定", {128, 240, 203, 265}},
        {dialog.btnCancel, &dialog, "取消", {208, 240, 283, 265}},
    };
    for (const auto& expected : controls) {
      SCOPED_TRACE(expected.control->Name + (expected.caption ? expected.caption : "edSec"));
      EXPECT_EQ(GetParent(expected.control->Handle()), expected.parent->Handle());
      if (expected.caption) {
        EXPECT_EQ(expected.control->Text(), expected.caption);
      }
      const RECT place = Place(expected.control);
      EXPECT_EQ(place.left, expected.place.left);
      EXPECT_EQ(place.top, expected.place.top);
      EXPECT_EQ(place.right, expected.place.right);
      EXPECT_EQ(place.bottom, expected.place.bottom);
    }
    EXPECT_EQ(dialog.Label1->Text(), "秒");
    EXPECT_EQ(Place(dialog.Label1).left, 168);
    EXPECT_EQ(Place(dialog.Label1).top, 22);
    EXPECT_EQ(SendMessageA(dialog.edSec->Handle(), EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_TRUE(GetWindowLongA(dialog.btnOK->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);

    // Tab goes through the groups' controls, then OK and Cancel, and round again.
    const std::vector<gui::TControl*> order = {
        dialog.cbAutoRefresh, dialog.edSec,      dialog.cbConfirm, dialog.cbProcID,     dialog.cbPProcID,
        dialog.cbThreadCount, dialog.cbPriority, dialog.cbModules, dialog.cbPath,       dialog.cbHandle,
        dialog.cbSize,        dialog.btnOK,      dialog.btnCancel, dialog.cbAutoRefresh};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
      EXPECT_EQ(GetNextDlgTabItem(dialog.Handle(), order[i]->Handle(), FALSE), order[i + 1]->Handle()) << i;
    }
    dialog.btnCancel->Click();
  });
  EXPECT_EQ(opened, 1);
  EXPECT_FALSE(IsWindow(dialogWindow));  // freed once closed
}

TEST_F(SettingsDialog, ShowsTheRecordNotTheDesignedValues) {
  WithDialog([&](TFormSettings& dialog) {
    EXPECT_EQ(dialog.edSec->Text(), "20");
    EXPECT_FALSE(dialog.cbAutoRefresh->Checked());
    EXPECT_TRUE(dialog.cbConfirm->Checked());
    for (auto* check : {dialog.cbProcID, dialog.cbPProcID, dialog.cbThreadCount, dialog.cbPriority,
                        dialog.cbModules, dialog.cbPath, dialog.cbHandle, dialog.cbSize})
      EXPECT_TRUE(check->Checked());
    dialog.btnCancel->Click();
  });
  Settings& settings = form->settings;
  settings.Timer = -5;
  settings.AutoRefresh = true;
  settings.Confirm = false;
  settings.PProcID = false;
  settings.Priority = false;
  settings.Path = false;
  settings.Size = false;
  WithDialog([&](TFormSettings& dialog) {
    EXPECT_EQ(dialog.edSec->Text(), "-5");
    EXPECT_TRUE(dialog.cbAutoRefresh->Checked());
    EXPECT_FALSE(dialog.cbConfirm->Checked());
    EXPECT_TRUE(dialog.cbProcID->Checked());
    EXPECT_FALSE(dialog.cbPProcID->Checked());
    EXPECT_TRUE(dialog.cbThreadCount->Checked());
    EXPECT_FALSE(dialog.cbPriority->Checked());
    EXPECT_TRUE(dialog.cbModules->Checked());
    EXPECT_FALSE(dialog.cbPath->Checked());
    EXPECT_TRUE(dialog.cbHandle->Checked());
    EXPECT_FALSE(dialog.cbSize->Checked());
    dialog.btnCancel->Click();
  });
}

TEST_F(SettingsDialog, OkTakesDecimalAndHexSecondsAndAppliesTheTimer) {
  const std::pair<const char*, std::int32_t> accepted[] = {{" 7", 7},    {"+7", 7},  {"$1F", 31}, {"x1F", 31},
                                                           {"999", 999}, {"-5", -5}, {"0", 0}};
  for (const auto& [entry, seconds] : accepted) {
    SCOPED_TRACE(entry);
    WithDialog([&](TFormSettings& dialog) {
      dialog.cbAutoRefresh->SetChecked(true);
      EXPECT_TRUE(Confirm(dialog, entry));
    });
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(form->settings.Timer, seconds);
    EXPECT_TRUE(form->settings.AutoRefresh);
    // Zero and negative periods leave a timer that never ticks.
    EXPECT_EQ(form->Timer.Running(), seconds > 0);
    if (seconds > 0) {
      EXPECT_EQ(form->Timer.Interval(), static_cast<UINT>(seconds) * 1000u);
    }
  }
  // Clearing automatic refresh stops the timer at once.
  WithDialog([&](TFormSettings& dialog) {
    dialog.cbAutoRefresh->SetChecked(false);
    EXPECT_TRUE(Confirm(dialog, "5"));
  });
  EXPECT_FALSE(form->Timer.Running());
  EXPECT_EQ(form->Timer.Interval(), 5000u);
}

TEST_F(SettingsDialog, BadSecondsAreRefusedButTheCheckBoxesStayStored) {
  form->settings.Timer = 9;
  form->settings.AutoRefresh = true;
  form->Timer.SetInterval(9000);
  form->Timer.SetEnabled(true);
  for (const char* entry : {"-1", "abc", "", "7 ", "$FFFFFFFF"}) {
    SCOPED_TRACE(entry);
    boxes.shown.clear();
    WithDialog([&](TFormSettings& dialog) {
      dialog.cbAutoRefresh->SetChecked(false);
      dialog.cbConfirm->SetChecked(false);
      dialog.cbSize->SetChecked(false);
      EXPECT_FALSE(Confirm(dialog, entry));
      EXPECT_EQ(dialog.ModalResult(), gui::mrNone);  // still open, as the user left it
      EXPECT_EQ(dialog.edSec->Text(), entry);
      EXPECT_FALSE(dialog.cbAutoRefresh->Checked());
      dialog.btnCancel->Click();
    });
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "您在刷新设置中输入的是无效数值。");
    EXPECT_EQ(boxes.shown[0].caption, "Kestrel32");
    EXPECT_EQ(boxes.shown[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_FALSE(form->settings.AutoRefresh);
    EXPECT_FALSE(form->settings.Confirm);
    EXPECT_FALSE(form->settings.Size);
    EXPECT_EQ(form->settings.Timer, 9);
    // The timer keeps its period and its running state until a later OK.
    EXPECT_EQ(form->Timer.Interval(), 9000u);
    EXPECT_TRUE(form->Timer.Running());
    form->settings.AutoRefresh = true;
    form->settings.Confirm = true;
    form->settings.Size = true;
  }
}

TEST_F(SettingsDialog, CancelChangesNothing) {
  form->settings.Timer = 4;
  WithDialog([&](TFormSettings& dialog) {
    dialog.cbAutoRefresh->SetChecked(true);
    dialog.cbConfirm->SetChecked(false);
    dialog.cbModules->SetChecked(false);
    dialog.edSec->SetText("60");
    dialog.btnCancel->Click();
  });
  EXPECT_EQ(form->settings.Timer, 4);
  EXPECT_FALSE(form->settings.AutoRefresh);
  EXPECT_TRUE(form->settings.Confirm);
  EXPECT_TRUE(form->settings.Modules);
  EXPECT_FALSE(form->Timer.Running());
  EXPECT_EQ(form->Timer.Interval(), 20000u);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsDialog, EnterConfirmsEscCancelsAndAltLettersTickTheBoxes) {
  WithDialog([&](TFormSettings& dialog) {
    dialog.edSec->SetText("12");
    dialog.edSec->SetFocus();
    // Alt+R ticks automatic refresh, Alt+S clears the size item (the characters Alt with a letter
    // gives; posted, so that another window having the keyboard cannot take them).
    PostMessageA(dialog.edSec->Handle(), WM_SYSCHAR, 'r', 0x20000001);
    PostMessageA(dialog.edSec->Handle(), WM_SYSCHAR, 's', 0x20000001);
    PostMessageA(dialog.edSec->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(dialog.edSec->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
  });
  EXPECT_EQ(form->settings.Timer, 12);
  EXPECT_TRUE(form->settings.AutoRefresh);
  EXPECT_FALSE(form->settings.Size);
  EXPECT_TRUE(form->Timer.Running());

  WithDialog([&](TFormSettings& dialog) {
    dialog.edSec->SetText("30");
    dialog.edSec->SetFocus();
    PostMessageA(dialog.edSec->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(dialog.edSec->Handle(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
  });
  EXPECT_EQ(form->settings.Timer, 12);
}

TEST_F(SettingsDialog, TakesStayOnTopFromTheMainWindow) {
  auto topmost = [](HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  WithDialog([&](TFormSettings& dialog) {
    EXPECT_FALSE(topmost(dialog.Handle()));
    dialog.btnCancel->Click();
  });
  form->OnTopCmd->Execute();
  WithDialog([&](TFormSettings& dialog) {
    EXPECT_TRUE(topmost(dialog.Handle()));
    dialog.btnCancel->Click();
  });
  EXPECT_EQ(opened, 1);
}

TEST_F(SettingsDialog, ConfirmingUnchangedDoesNotRestartTheCountdown) {
  int ticks = 0;
  DWORD firstTick = 0;
  form->Timer.OnTimer = [&] {
    if (++ticks == 1) firstTick = GetTickCount();
  };
  form->settings.Timer = 1;
  form->settings.AutoRefresh = true;
  form->Timer.SetInterval(1000);
  form->Timer.SetEnabled(true);
  const DWORD start = GetTickCount();
  testing::Pump(500);
  WithDialog([&](TFormSettings& dialog) { EXPECT_TRUE(Confirm(dialog, "1")); });
  const DWORD confirmed = GetTickCount();
  if (ticks != 0 || confirmed - start > 900) GTEST_SKIP() << "the dialog took a second: too slow to tell";
  // A restarted countdown would first tick a second after the OK, not a second after the start.
  while (ticks == 0 && GetTickCount() - start < 5000) testing::Pump(10);
  ASSERT_GE(ticks, 1);
  EXPECT_LT(firstTick - confirmed, 950u);

  // A changed period is taken at once.
  WithDialog([&](TFormSettings& dialog) { EXPECT_TRUE(Confirm(dialog, "2")); });
  EXPECT_EQ(form->Timer.Interval(), 2000u);
  EXPECT_TRUE(form->Timer.Running());
}

}  // namespace
}  // namespace k32
