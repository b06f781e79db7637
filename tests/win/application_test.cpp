#include "gui/application.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "gui/actions.h"
#include "gui/comctrls.h"
#include "gui/form.h"
#include "system/win32_services.h"
#include "win/win_test_support.h"

namespace k32 {

TEST(GeneralErrorReport, AppendsAFullStopOnlyAfterCharactersThatSortAfterIt) {
  using gui::TApplication;
  EXPECT_EQ(TApplication::ErrorReportText("无法获取 'Timer' 的数据"), "无法获取 'Timer' 的数据.");
  EXPECT_EQ(TApplication::ErrorReportText("无法终止指定的进程。"), "无法终止指定的进程。.");
  EXPECT_EQ(TApplication::ErrorReportText("file.txt"), "file.txt.");
  EXPECT_EQ(TApplication::ErrorReportText("ends with a stop."), "ends with a stop.");
  EXPECT_EQ(TApplication::ErrorReportText("ends with a dash-"), "ends with a dash-");
  EXPECT_EQ(TApplication::ErrorReportText(""), "");
}

TEST(GeneralErrorReport, ShowsTheTextWithTheTitleAndAnErrorIcon) {
  testing::RecordingBoxes boxes;
  gui::Application().HandleException(std::runtime_error("无法打开剪贴板"));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "无法打开剪贴板.");
  EXPECT_EQ(boxes.shown[0].caption, "Kestrel32");
  EXPECT_EQ(boxes.shown[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST(GeneralErrorReport, AShortcutKeyOrAWindowEnumerationThatRaisesAnythingIsToldFromTheLoop) {
  testing::RecordingBoxes boxes;
  Win32Services services;
  int visits = 0;
  services.EnumTopLevelWindows([&](WindowId) -> bool {
    ++visits;
    throw std::runtime_error("枚举");
  });
  EXPECT_EQ(visits, 1);  // the enumeration ends there
  gui::TForm form;
  form.HandleNeeded();
  gui::TActionList actions([&] { return form.Handle(); });
  gui::TAction* action = actions.Add("Raise");
  action->SetShortCut(VK_F9);
  action->OnExecute = [] { throw 9; };
  MSG key{form.Handle(), WM_KEYDOWN, VK_F9, 1, 0, {}};
  gui::Application().HandleMessage(key);
  EXPECT_TRUE(boxes.shown.empty());
  testing::Pump();
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"枚举.", "未知错误."}));
}

TEST(Timer, TicksThroughTheQueueAndNeverWithIntervalZero) {
  gui::TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetInterval(0);
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Running());
  testing::Pump(150);
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(20);
  EXPECT_TRUE(timer.Running());
  testing::Pump(300);
  EXPECT_GT(ticks, 2);
  timer.SetEnabled(false);
  const int stopped = ticks;
  testing::Pump(100);
  EXPECT_EQ(ticks, stopped);
}

TEST(Timer, AnErrorInATickGoesToTheReportAndTheTimerGoesOn) {
  testing::RecordingBoxes boxes;
  gui::TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&] {
    if (++ticks == 1) throw std::runtime_error("boom");
  };
  timer.SetInterval(20);
  timer.SetEnabled(true);
  testing::Pump(250);
  EXPECT_GE(ticks, 2);
  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_EQ(boxes.shown[0].text, "boom.");
}

}  // namespace k32
