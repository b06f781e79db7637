// The main window's options in the registry: reading at creation, writing at close, the messages.
#include <gtest/gtest.h>

#include "app/form_main.h"
#include "system/fake_services.h"
#include "win/main_window_fixture.h"
#include "win/registry_sandbox.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

const std::string kProgram = testing::kProgramKeyPath;
const std::string kReport = kProgram + "\\Report";
const auto& kFlags = testing::kReportFlagNames;

bool Settings::*const kFlagFields[] = {&Settings::ProcID,   &Settings::PProcID, &Settings::Threads,
                                       &Settings::Priority, &Settings::Modules, &Settings::Path,
                                       &Settings::Handle,   &Settings::Size};

class SettingsStore : public testing::MainWindowHost {
 protected:
  void SetUp() override { testing::DeleteKeyTree("Software\\Tobin Quillmark"); }
  void TearDown() override {
    MainWindowHost::TearDown();
    testing::DeleteKeyTree("Software\\Tobin Quillmark");
    testing::StoreDefaultSettings();  // as the suite's start left them for the tests that follow
  }
  // Made as at start-up, reading the settings; not shown.
  void Create() { MakeMainWindow(services); }
  RECT Bounds() {
    RECT rect{};
    GetWindowRect(form->Handle(), &rect);
    return rect;
  }
  bool Topmost() { return (GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  void ExpectDefaultsFromTimerOn() {
    EXPECT_EQ(form->settings.Timer, 20);
    EXPECT_FALSE(form->settings.AutoRefresh);
    EXPECT_EQ(form->Timer.Interval(), 20000u);
    EXPECT_FALSE(form->Timer.Running());
    EXPECT_TRUE(form->settings.Confirm);
    for (auto field : kFlagFields) EXPECT_TRUE(form->settings.*field);
  }
  void StoreAll() {
    testing::SetDword(kProgram, "Top", 50);
    testing::SetDword(kProgram, "Left", 60);
    testing::SetDword(kProgram, "Width", 500);
    testing::SetDword(kProgram, "Height", 400);
    testing::SetDword(kProgram, "StayOnTop", 5);
    testing::SetDword(kProgram, "Timer", 3);
    testing::SetDword(kProgram, "AutoRefresh", 1);
    testing::SetDword(kProgram, "Confirm", 0);
    for (int i = 0; i < 8; ++i) testing::SetDword(kReport, kFlags[i], i % 2);
  }

  testing::RecordingBoxes boxes;
  testing::FakeServices services;
};

TEST_F(SettingsStore, FirstStartShowsTheMissingValueOnceAndOpensAsDesigned) {
  Create();
  ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"无法获取 'StayOnTop' 的数据."});
  EXPECT_EQ(boxes.shown[0].caption, "Kestrel32");
  EXPECT_EQ(boxes.shown[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  const RECT rect = Bounds();
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 10);
  EXPECT_EQ(rect.right - rect.left, 642);
  EXPECT_EQ(rect.bottom - rect.top, 455);
  EXPECT_FALSE(form->OnTopCmd->Checked());
  EXPECT_FALSE(Topmost());
  ExpectDefaultsFromTimerOn();
  // Reading wrote nothing (the lists make their own keys below the program's).
  EXPECT_FALSE(testing::GetValue(kProgram, "StayOnTop").exists);
  EXPECT_FALSE(testing::KeyExists(kReport));
}

TEST_F(SettingsStore, AStoredSetIsReadBackWithoutAMessage) {
  StoreAll();
  Create();
  EXPECT_TRUE(boxes.shown.empty());
  const RECT rect = Bounds();
  EXPECT_EQ(rect.left, 60);
  EXPECT_EQ(rect.top, 50);
  EXPECT_EQ(rect.right - rect.left, 500);
  EXPECT_EQ(rect.bottom - rect.top, 400);
  EXPECT_TRUE(form->OnTopCmd->Checked());  // 5 counts as on
  EXPECT_TRUE(Topmost());
  EXPECT_EQ(form->settings.Timer, 3);
  EXPECT_TRUE(form->settings.AutoRefresh);
  EXPECT_EQ(form->Timer.Interval(), 3000u);
  EXPECT_TRUE(form->Timer.Running());
  EXPECT_FALSE(form->settings.Confirm);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(form->settings.*kFlagFields[i], i % 2 == 1) << kFlags[i];

  // Without automatic refresh the period is kept but the timer stays stopped; 0 is not on top.
  form.reset();
  testing::SetDword(kProgram, "AutoRefresh", 0);
  testing::SetDword(kProgram, "StayOnTop", 0);
  testing::SetDword(kProgram, "Timer", 7);
  Create();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(form->OnTopCmd->Checked());
  EXPECT_FALSE(Topmost());
  EXPECT_EQ(form->Timer.Interval(), 7000u);
  EXPECT_FALSE(form->Timer.Running());
}

TEST_F(SettingsStore, AValueOfTheWrongTypeOrSizeStopsTheReadingThere) {
  StoreAll();
  const std::uint32_t binary = 300;
  testing::SetRaw(kProgram, "Width", REG_BINARY, &binary, 4);
  Create();
  ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"'Width' 的数据类型无效."});
  // What came before is applied, the rest keeps its defaults.
  EXPECT_TRUE(form->OnTopCmd->Checked());
  RECT rect = Bounds();
  EXPECT_EQ(rect.left, 60);
  EXPECT_EQ(rect.top, 50);
  EXPECT_EQ(rect.right - rect.left, 642);
  EXPECT_EQ(rect.bottom - rect.top, 455);
  ExpectDefaultsFromTimerOn();

  form.reset();
  boxes.shown.clear();
  testing::SetString(kProgram, "Width", "abcd");
  Create();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"无法获取 'Width' 的数据."});
  rect = Bounds();
  EXPECT_EQ(rect.right - rect.left, 642);
}

TEST_F(SettingsStore, AMissingReportKeyKeepsTheFlagsButNotTheRest) {
  StoreAll();
  testing::DeleteKeyTree(kReport);
  // Values of the same names in the program key are not the report's.
  testing::SetDword(kProgram, "ProcID", 0);
  Create();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"无法获取 'ProcID' 的数据."});
  EXPECT_EQ(Bounds().left, 60);
  EXPECT_TRUE(form->Timer.Running());
  EXPECT_EQ(form->Timer.Interval(), 3000u);
  EXPECT_FALSE(form->settings.Confirm);
  for (auto field : kFlagFields) EXPECT_TRUE(form->settings.*field);
}

TEST_F(SettingsStore, PeriodsThatAreNotPositiveOrOverflowNeverTick) {
  // 0, negative, wrapping to 704 ms, wrapping to 0, wrapping to 8 ms (a tight loop), past the range.
  for (std::int32_t seconds : {0, -1, -5, 4294968, 536870912, 115964117, 2147484}) {
    SCOPED_TRACE(seconds);
    StoreAll();
    testing::SetDword(kProgram, "Timer", static_cast<std::uint32_t>(seconds));
    Create();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(form->settings.Timer, seconds);  // kept as stored, and written back so
    EXPECT_TRUE(form->settings.AutoRefresh);
    EXPECT_FALSE(form->Timer.Running());
    int ticks = 0;
    form->Timer.OnTimer = [&] { ++ticks; };
    testing::Pump(seconds == 115964117 ? 150 : 0);
    EXPECT_EQ(ticks, 0);
    form.reset();
  }
  // The largest period that fits still runs.
  testing::SetDword(kProgram, "Timer", 2147483);
  Create();
  EXPECT_TRUE(form->Timer.Running());
  EXPECT_EQ(form->Timer.Interval(), 2147483000u);
}

TEST_F(SettingsStore, TheCloseBoxWritesEveryValueAsADword) {
  Create();
  form->Show();
  testing::Pump();
  form->SetBounds(33, 44, 600, 410);
  form->OnTopCmd->Execute();
  form->settings.Timer = -5;
  form->settings.AutoRefresh = true;
  form->settings.Confirm = false;
  for (int i = 0; i < 8; ++i) form->settings.*kFlagFields[i] = i % 3 == 0;
  testing::SetDword(kProgram + "\\Unknown", "Other", 99);  // not the program's: left alone
  ShowWindow(form->Handle(), SW_MINIMIZE);  // the place it comes back to is stored
  testing::Pump();

  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  MSG msg{};
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  const std::pair<const char*, std::uint32_t> expected[] = {
      {"Top", 44},      {"Left", 33},          {"Width", 600},     {"Height", 410},
      {"StayOnTop", 1}, {"Timer", 0xFFFFFFFB}, {"AutoRefresh", 1}, {"Confirm", 0}};
  for (const auto& [name, value] : expected) {
    const auto stored = testing::GetValue(kProgram, name);
    EXPECT_TRUE(stored.exists) << name;
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_DWORD)) << name;
    EXPECT_EQ(stored.bytes.size(), 4u) << name;
    EXPECT_EQ(stored.Dword(), value) << name;
  }
  for (int i = 0; i < 8; ++i) {
    const auto stored = testing::GetValue(kReport, kFlags[i]);
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_DWORD)) << kFlags[i];
    EXPECT_EQ(stored.Dword(), i % 3 == 0 ? 1u : 0u) << kFlags[i];
  }
  EXPECT_EQ(testing::GetValue(kProgram + "\\Unknown", "Other").Dword(), 99u);
  // The first close wrote the first start's error away: the next start reads silently.
  boxes.shown.clear();
  form.reset();
  Create();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Bounds().left, 33);
  EXPECT_TRUE(Topmost());
}

TEST_F(SettingsStore, ExitAndDestructionWriteNothing) {
  testing::StoreDefaultSettings();
  Create();
  form->Show();
  form->SetBounds(100, 100, 500, 300);
  form->OnTopCmd->Execute();
  form->settings.Confirm = false;
  form->settings.Size = false;
  form->miExitClick();
  form.reset();
  EXPECT_EQ(testing::GetValue(kProgram, "Left").Dword(), 10u);
  EXPECT_EQ(testing::GetValue(kProgram, "Width").Dword(), 642u);
  EXPECT_EQ(testing::GetValue(kProgram, "StayOnTop").Dword(), 0u);
  EXPECT_EQ(testing::GetValue(kProgram, "Confirm").Dword(), 1u);
  EXPECT_EQ(testing::GetValue(kReport, "Size").Dword(), 1u);
}

TEST_F(SettingsStore, AWriteFailureIsReportedAndTheWindowStaysOpen) {
  // A volatile key cannot take a lasting subkey: the program key cannot be made.
  HKEY parent = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Tobin Quillmark", 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &parent, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(parent);
  Create();
  form->Show();
  testing::Pump();
  boxes.shown.clear();
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  testing::Pump();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"无法设置 'Top' 的数据."});
  MSG msg{};
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_TRUE(IsWindowVisible(form->Handle()));

  // The program key writable but not its report key: the eight window values land, then it stops.
  testing::DeleteKeyTree("Software\\Tobin Quillmark");
  HKEY program = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kProgram.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &program, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(program);
  boxes.shown.clear();
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  testing::Pump();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"无法设置 'ProcID' 的数据."});
  EXPECT_EQ(testing::GetValue(kProgram, "Confirm").type, static_cast<DWORD>(REG_DWORD));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

}  // namespace
}  // namespace k32
