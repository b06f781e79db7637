// The real program's lists, read from outside: its own process and main window, the counts, and F5
// picking up a process started meanwhile.
#include <gtest/gtest.h>

#include <string>

#include "common/text.h"
#include "e2e/driver.h"

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
  EXPECT_EQ(program.StatusText(0), "进程: " + std::to_string(program.RowCount(procs)));
  TerminateProcess(started.hProcess, 0);
  WaitForSingleObject(started.hProcess, 5000);
  CloseHandle(started.hProcess);
  CloseHandle(started.hThread);
}

}  // namespace
}  // namespace k32::e2e
