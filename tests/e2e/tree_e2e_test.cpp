// The process tree of the real program: a helper, its child and its grandchild.
#include <gtest/gtest.h>

#include <string>

#include "e2e/driver.h"
#include "win/registry_values.h"
#include "win/test_child_process.h"

namespace k32::e2e {
namespace {

constexpr int kPidColumn = 1, kParentColumn = 2;

TEST(TreeE2E, AFamilyStandsInThreeLevelsFoldsAndKeepsItsShapeWhenTheGrandchildEnds) {
  RegistryTurn turn;
  testing::StoreDefaultSettings();  // the flat list
  testing::TestChild helper(L"--family 2");
  ASSERT_TRUE(helper.Started());
  {
    Program program;
    HWND procs = program.ListViews().at(0);
    const auto refresh = [&] {
      PostMessageA(procs, WM_KEYDOWN, VK_F5, 1);
      PostMessageA(procs, WM_KEYUP, VK_F5, 0xC0000001);
      Sleep(300);
    };
    int row = -1;
    const auto family = [&] {
      row = program.FindRow(procs, kPidColumn, helper.Pid());
      if (row < 0 || row + 2 >= program.RowCount(procs)) return false;
      const int level = program.RowIndent(procs, row);
      return program.RowIndent(procs, row + 1) == level + 1 && program.RowIndent(procs, row + 2) == level + 2 &&
             program.CellText(procs, row + 1, kParentColumn) == helper.Pid() &&
             program.CellText(procs, row + 2, kParentColumn) == program.CellText(procs, row + 1, kPidColumn);
    };
    // Every row one step below the nearest row above it that is one step out, and that row its parent.
    const auto wholeTree = [&] {
      for (int at = 0; at < program.RowCount(procs); ++at) {
        const int level = program.RowIndent(procs, at);
        int parent = at - 1;
        while (parent >= 0 && program.RowIndent(procs, parent) >= level) --parent;
        if (level > 0 && (parent < 0 || program.RowIndent(procs, parent) != level - 1 ||
                          program.CellText(procs, parent, kPidColumn) != program.CellText(procs, at, kParentColumn)))
          return false;
      }
      return true;
    };
    // Ctrl+T over the flat list, whose rows mostly stand in the tree's order already.
    const auto grandchildListed = [&] {
      const int child = program.FindRow(procs, kParentColumn, helper.Pid());
      return child >= 0 && program.FindRow(procs, kParentColumn, program.CellText(procs, child, kPidColumn)) >= 0;
    };
    ASSERT_TRUE(WaitUntil([&] { return refresh(), grandchildListed(); }));
    SetForegroundWindow(program.MainWindow());
    ASSERT_TRUE(WaitUntil([&] { return program.FocusedWindow() == procs; }));
    Press({VK_CONTROL, 'T'});
    ASSERT_TRUE(WaitUntil([&] { return family() && wholeTree(); })) << "the helper's row: " << row;
    const std::string child = program.CellText(procs, row + 1, kPidColumn),
                      grandchild = program.CellText(procs, row + 2, kPidColumn);
    const int rows = program.RowCount(procs);

    // The box before the helper folds its two descendants away and brings them back.
    program.ClickStateImage(procs, row);
    EXPECT_TRUE(WaitUntil([&] {
      return program.RowCount(procs) == rows - 2 && program.FindRow(procs, kPidColumn, child) < 0 &&
             program.FindRow(procs, kPidColumn, grandchild) < 0;
    }));
    program.ClickStateImage(procs, program.FindRow(procs, kPidColumn, helper.Pid()));
    EXPECT_TRUE(WaitUntil(family));
    // ← on the selected helper folds, → unfolds.
    program.SelectRow(procs, row);
    Press({VK_LEFT});
    EXPECT_TRUE(WaitUntil([&] { return program.RowCount(procs) == rows - 2; }));
    Press({VK_RIGHT});
    EXPECT_TRUE(WaitUntil(family));

    // The grandchild ends: at the next refresh its row stays on red under the child.
    HANDLE ending = OpenProcess(PROCESS_TERMINATE, FALSE, std::stoul(grandchild));
    ASSERT_NE(ending, nullptr);
    TerminateProcess(ending, 1);
    WaitForSingleObject(ending, 5000);
    CloseHandle(ending);
    refresh();
    EXPECT_TRUE(WaitUntil([&] {
      if (!family() || program.CellText(procs, row + 2, kPidColumn) != grandchild) return false;
      SendMessageA(procs, LVM_ENSUREVISIBLE, row + 2, FALSE);
      UpdateWindow(procs);
      return program.RowColor(procs, row + 2) == RGB(0xF8, 0xCC, 0xCC);
    }));
    // Ctrl+T: the flat list again.
    Press({VK_CONTROL, 'T'});
    EXPECT_TRUE(WaitUntil([&] {
      const int at = program.FindRow(procs, kPidColumn, child);
      return at >= 0 && program.RowIndent(procs, at) == 0;
    }));
    Press({VK_CONTROL, 'T'});  // kept on at the close
    EXPECT_TRUE(WaitUntil([&] { return program.RowIndent(procs, program.FindRow(procs, kPidColumn, child)) > 0; }));
    if (HANDLE rest = OpenProcess(PROCESS_TERMINATE, FALSE, std::stoul(child))) {
      TerminateProcess(rest, 1);
      CloseHandle(rest);
    }
  }
  EXPECT_EQ(testing::GetValue(testing::kProgramKeyPath, "TreeView").Dword(), 1u);
  testing::DeleteKeyTree("Software\\Tobin Quillmark");
}

}  // namespace
}  // namespace k32::e2e
