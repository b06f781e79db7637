// The real program's lists, read from outside: its own process and main window, the counts, and F5
// picking up a process started meanwhile.
#include <gtest/gtest.h>

#include <string>

#include "common/text.h"
#include "e2e/driver.h"
#include "win/registry_values.h"
#include "win/test_child_process.h"

namespace k32::e2e {
namespace {

int SelectedRow(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

TEST(RefreshE2E, ListsItsOwnProcessAndWindowAndPicksUpANewProcessOnF5) {
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  const auto lists = program.ListViews();
  ASSERT_EQ(lists.size(), 4u);
  HWND procs = lists[0], windows = lists[2];

  const int own = program.FindRow(procs, 1, UnsignedText(program.ProcessId()));
  ASSERT_GE(own, 0);
  EXPECT_EQ(program.CellText(procs, own, 0), kProgramExe);
  EXPECT_NE(program.CellText(procs, own, 3), "0");
  EXPECT_EQ(SelectedRow(procs), 0);
  EXPECT_EQ(program.StatusText(0), "进程: " + std::to_string(program.RowCount(procs)));

  const std::string mainHandle =
      SignedText(static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(program.MainWindow())));
  const int main = program.FindRow(windows, 0, mainHandle);
  ASSERT_GE(main, 0);
  EXPECT_EQ(program.CellText(windows, main, 2), "Kestrel32");
  EXPECT_EQ(program.CellText(windows, main, 3), kProgramExe);
  EXPECT_EQ(SelectedRow(windows), 0);
  EXPECT_EQ(program.StatusText(1), "顶层窗口: " + std::to_string(program.RowCount(windows)));

  // A process started now is listed after F5.
  const std::string child = ExeFolder() + "test_child.exe";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::string command = "\"" + child + "\"";
  ASSERT_TRUE(CreateProcessA(child.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &started));
  const std::string childPid = UnsignedText(started.dwProcessId);
  EXPECT_LT(program.FindRow(procs, 1, childPid), 0);
  PostMessageA(procs, WM_KEYDOWN, VK_F5, 1);
  PostMessageA(procs, WM_KEYUP, VK_F5, 0xC0000001);
  int row = -1;
  WaitUntil([&] { return (row = program.FindRow(procs, 1, childPid)) >= 0; });
  EXPECT_GE(row, 0);
  if (row >= 0) {
    EXPECT_EQ(program.CellText(procs, row, 0), "test_child.exe");
  }
  // Processes of other tests that ended meanwhile stay listed for one refresh, uncounted.
  EXPECT_LE(std::stoi(program.StatusText(0).substr(std::string("进程: ").size())), program.RowCount(procs));
  TerminateProcess(started.hProcess, 0);
  WaitForSingleObject(started.hProcess, 5000);
  CloseHandle(started.hProcess);
  CloseHandle(started.hThread);
}

int TopRow(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)); }

// With a refresh every few seconds the user scrolls and selects; ticks pass and neither moves. A
// process started meanwhile comes in on light green, one that ended stays a tick on light red,
// uncounted. Space pauses the ticks. Alone: the colours are read from the screen.
TEST(RefreshMarksE2E, TicksKeepTheUsersPlaceAndMarkTheNewAndTheEndedProcess) {
  RegistryTurn turn;
  testing::StoreDefaultSettings();
  testing::SetDword(testing::kProgramKeyPath, "AutoRefresh", 1);
  testing::SetDword(testing::kProgramKeyPath, "Timer", 2);
  testing::TestChild children[12];
  testing::TestChild ending;
  {
    Program program;
    HWND procs = program.ListViews().at(0);
    ASSERT_TRUE(WaitUntil([&] { return program.FindRow(procs, 1, children[11].Pid()) >= 0; }));
    SendMessageA(procs, LVM_ENSUREVISIBLE, program.FindRow(procs, 1, children[11].Pid()), FALSE);
    const int top = TopRow(procs);
    ASSERT_GT(top, 0) << "the list must scroll";
    program.SelectRow(procs, top + 2);
    const std::string topPid = program.CellText(procs, top, 1),
                      chosenPid = program.CellText(procs, top + 2, 1);

    // The tick after the end: the row stays, uncounted, on red; a process started then: on green.
    const auto colorOf = [&](int row) {
      SendMessageA(procs, LVM_ENSUREVISIBLE, row, FALSE);
      UpdateWindow(procs);
      return program.RowColor(procs, row);
    };
    ASSERT_TRUE(ending.EndAndForget());
    int row = -1;
    ASSERT_TRUE(WaitUntil([&] {
      return (row = program.FindRow(procs, 1, ending.Pid())) >= 0 &&
             program.StatusText(0) == "进程: " + std::to_string(program.RowCount(procs) - 1);
    }));
    EXPECT_EQ(program.CellText(procs, TopRow(procs), 1), topPid);
    EXPECT_EQ(program.CellText(procs, SelectedRow(procs), 1), chosenPid);
    EXPECT_EQ(colorOf(row), RGB(0xF8, 0xCC, 0xCC));
    testing::TestChild late;
    ASSERT_TRUE(WaitUntil([&] { return (row = program.FindRow(procs, 1, late.Pid())) >= 0; }));
    EXPECT_EQ(colorOf(row), RGB(0xCC, 0xF2, 0xCC));

    // The next tick takes the ended row out. Then Space pauses: ticks pass a process started now
    // by, F5 still lists it.
    ASSERT_TRUE(WaitUntil([&] { return program.FindRow(procs, 1, ending.Pid()) < 0; }));
    PostMessageA(procs, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(WaitUntil([&] { return program.StatusText(2) == "自动刷新已暂停"; }));
    testing::TestChild unseen;
    Sleep(2500);
    EXPECT_LT(program.FindRow(procs, 1, unseen.Pid()), 0);
    PostMessageA(procs, WM_KEYDOWN, VK_F5, 1);
    EXPECT_TRUE(WaitUntil([&] { return program.FindRow(procs, 1, unseen.Pid()) >= 0; }));
  }
  testing::DeleteKeyTree("Software\\Tobin Quillmark");
}

}  // namespace
}  // namespace k32::e2e
