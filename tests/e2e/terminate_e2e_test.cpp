// Ending a process from the real program: select its row, F2, answer the question, and it is gone.
#include <gtest/gtest.h>

#include <string>

#include "e2e/driver.h"
#include "win/registry_values.h"
#include "win/test_child_process.h"

namespace k32::e2e {
namespace {

TEST(TerminateE2E, F2AsksThenEndsTheSelectedProcessWithMinusNineAndItsRowGoes) {
  RegistryTurn turn;
  testing::StoreDefaultSettings();  // the question is asked (Confirm 1)

  testing::TestChild child;
  ASSERT_TRUE(child.Started());
  const std::string childPid = child.Pid();

  {
    Program program;
    ASSERT_NE(program.MainWindow(), nullptr);
    HWND procs = program.ListViews().at(0);
    const int row = program.FindRow(procs, 1, childPid);
    ASSERT_GE(row, 0);
    program.SelectRow(procs, row);
    PostMessageA(procs, WM_KEYDOWN, VK_F2, 1);
    PostMessageA(procs, WM_KEYUP, VK_F2, 0xC0000001);

    HWND box = WaitForMessageBox(program.ProcessId());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "您确定要终止选定的进程吗？");
    EXPECT_EQ(WindowText(box), "Kestrel32");
    EXPECT_TRUE(child.Running());  // not before Yes
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDYES)));

    EXPECT_EQ(child.ExitCode(), 4294967287u);
    // The refresh that follows keeps the row, marked gone; the next one drops it.
    EXPECT_GE(program.FindRow(procs, 1, childPid), 0);
    PostMessageA(procs, WM_KEYDOWN, VK_F5, 1);
    PostMessageA(procs, WM_KEYUP, VK_F5, 0xC0000001);
    int still = row;
    WaitUntil([&] { return (still = program.FindRow(procs, 1, childPid)) < 0; });
    EXPECT_LT(still, 0);
    EXPECT_EQ(WaitForMessageBox(program.ProcessId(), 200), nullptr);  // no failure message
  }
  testing::DeleteKeyTree("Software\\Tobin Quillmark");
}

}  // namespace
}  // namespace k32::e2e
