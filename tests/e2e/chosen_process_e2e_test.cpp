// A command ends the process the user chose, although a timer refresh ran in between and a process
// listed above it ended: from the process menu, the tool button and F2.
#include <gtest/gtest.h>

#include <string>

#include "e2e/driver.h"
#include "win/registry_values.h"
#include "win/test_child_process.h"

namespace k32::e2e {
namespace {

enum class Way { Menu, ToolButton, Key };

class ChosenProcessE2E : public ::testing::TestWithParam<Way> {};

TEST_P(ChosenProcessE2E, TerminateEndsTheChosenProcessAfterARefreshMovedItsRow) {
  RegistryTurn turn;
  testing::StoreDefaultSettings();  // the question is asked
  testing::SetDword(testing::kProgramKeyPath, "AutoRefresh", 1);
  testing::SetDword(testing::kProgramKeyPath, "Timer", 1);
  testing::TestChild a, b, c;
  ASSERT_TRUE(a.Started() && b.Started() && c.Started());
  const std::string pidA = a.Pid();
  {
    Program program;
    HWND procs = program.ListViews().at(0);
    int rowA = -1, rowB = -1;
    ASSERT_TRUE(WaitUntil([&] {
      rowA = program.FindRow(procs, 1, pidA);
      rowB = program.FindRow(procs, 1, b.Pid());
      return rowA >= 0 && rowB >= 0 && program.FindRow(procs, 1, c.Pid()) >= 0;
    }));
    ASSERT_LT(rowA, rowB) << "A must stand above B for its end to move B's row";
    program.SelectRow(procs, rowB);
    // A ends from outside, and a timer refresh drops its row.
    const auto endA = [&] {
      return a.EndAndForget() && WaitUntil([&] { return program.FindRow(procs, 1, pidA) < 0; });
    };
    switch (GetParam()) {
      case Way::Menu: {
        PostMessageA(procs, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(procs), MAKELPARAM(-1, -1));
        HWND menu = WaitForPopupMenu(program.ProcessId());
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(endA());
        ASSERT_TRUE(IsWindowVisible(menu));
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);  // "终止进程", the first item
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        break;
      }
      case Way::ToolButton: {
        HWND bar = program.ToolBar(10);
        ASSERT_NE(bar, nullptr);
        const RECT button = program.ToolButtonRect(bar, 4);  // tbTerminate
        const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
        PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ASSERT_TRUE(endA());
        PostMessageA(bar, WM_LBUTTONUP, 0, at);
        break;
      }
      case Way::Key:
        ASSERT_TRUE(endA());
        PostMessageA(procs, WM_KEYDOWN, VK_F2, 1);
        PostMessageA(procs, WM_KEYUP, VK_F2, 0xC0000001);
        break;
    }
    HWND box = WaitForMessageBox(program.ProcessId());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "您确定要终止选定的进程吗？");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDYES)));
    EXPECT_EQ(b.ExitCode(), 4294967287u);
    EXPECT_TRUE(c.Running());
  }
  testing::DeleteKeyTree("Software\\Tobin Quillmark");
}

INSTANTIATE_TEST_SUITE_P(Ways, ChosenProcessE2E, ::testing::Values(Way::Menu, Way::ToolButton, Way::Key));

}  // namespace
}  // namespace k32::e2e
