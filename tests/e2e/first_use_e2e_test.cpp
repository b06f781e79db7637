// What a user meets first, from outside: the texts under a system locale that is not Chinese, the
// hints of a list's menu, and the keyboard reaching the lists and the settings dialog.
#include <gtest/gtest.h>

#include <utility>

#include "e2e/driver.h"
#include "win/registry_values.h"

namespace k32::e2e {
namespace {

TEST(LocaleE2E, UnderAnEnglishLocaleTheProgramRunsInCodePage936AndShowsItsChineseTexts) {
  if (GetACP() == 936) GTEST_SKIP() << "meant to run under another locale (KESTREL_LOCALE=en_US.UTF-8)";
  RegistryTurn turn;
  testing::DeleteKeyTree("Software\\Tobin Quillmark");
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  EXPECT_EQ(program.AnsiCodePage(), 936u);
  EXPECT_EQ(program.StartupMessages(), std::vector<std::string>{"无法获取 'StayOnTop' 的数据."});
  const auto lists = program.ListViews();
  ASSERT_EQ(lists.size(), 4u);
  EXPECT_EQ(program.ColumnCaptions(lists[0]), (std::vector<std::string>{"可执行文件", "PID", "父级 PID", "线程", "优先级", "CPU", "CPU 时间", "私有字节", "工作集", "句柄", "用户名",
       "启动时间", "命令行", "描述", "公司", "映像路径"}));
  // Alt+C drops the commands menu down; its first item's hint comes to panel 2.
  PostMessageA(program.MainWindow(), WM_SYSKEYDOWN, 'C', 0x20000001);
  PostMessageA(program.MainWindow(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_TRUE(WaitUntil([&] { return program.StatusText(2) == "刷新进程列表"; })) << program.StatusText(2);
  PostMessageA(program.MainWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
}

TEST(KeyboardE2E, TheListsAndTheSettingsDialogTakeTheKeyboardAndTheListMenuShowsItsHints) {
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  const auto lists = program.ListViews();
  ASSERT_EQ(lists.size(), 4u);
  EXPECT_TRUE(WaitUntil([&] { return program.FocusedWindow() == lists[0]; })) << "the process list at start";
  PostMessageA(lists[0], WM_KEYDOWN, VK_TAB, 1);
  EXPECT_TRUE(WaitUntil([&] { return program.FocusedWindow() == lists[1]; })) << "Tab: the module list";

  // Shift+F10 back in the process list opens its menu by the focused row.
  SetForegroundWindow(program.MainWindow());
  Press({VK_SHIFT, VK_TAB});
  ASSERT_TRUE(WaitUntil([&] { return program.FocusedWindow() == lists[0]; }));
  program.SelectRow(lists[0], 3);
  const RECT row = program.ShownItemRect(lists[0], 3, LVIR_LABEL);
  Press({VK_SHIFT, VK_F10});
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu);
  }));
  POINT below{row.left, row.bottom};
  ClientToScreen(lists[0], &below);
  RECT placed{};
  GetWindowRect(menu, &placed);
  EXPECT_EQ(std::make_pair(placed.left, placed.top), std::make_pair(below.x, below.y));
  for (const char* hint : {"终止选定的进程", "刷新进程列表"}) {
    PostMessageA(lists[0], WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_TRUE(WaitUntil([&] { return program.StatusText(2) == hint; })) << hint;
  }
  PostMessageA(lists[0], WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(WaitUntil([&] { return program.StatusText(2).empty(); }));

  PostMessageA(program.MainWindow(), WM_SYSKEYDOWN, 'S', 0x20000001);
  HWND settings = WaitForWindow(program.ProcessId(), "设置");
  ASSERT_NE(settings, nullptr);
  EXPECT_TRUE(
      WaitUntil([&] { return program.FocusedWindow() == ChildWithText(settings, "自动刷新每隔(&R)"); }));
  PostMessageA(program.FocusedWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(WaitUntilGone(settings));
}

TEST(KeyboardE2E, SpaceTypesIntoTheFilterAndPausesFromTheLists) {
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  const auto lists = program.ListViews();
  HWND filter = ChildrenOfClass(program.MainWindow(), "Edit").at(0);
  SetForegroundWindow(program.MainWindow());
  ASSERT_TRUE(WaitUntil([&] { return program.FocusedWindow() == lists[0]; }));
  Press({VK_CONTROL, 'F'});
  ASSERT_TRUE(WaitUntil([&] { return program.FocusedWindow() == filter; }));
  for (WORD key : std::initializer_list<WORD>{'A', 'B', VK_SPACE, 'C'}) Press({key});
  EXPECT_TRUE(WaitUntil([&] { return EditText(filter) == "ab c"; })) << EditText(filter);
  EXPECT_NE(program.StatusText(2), "自动刷新已暂停");

  Press({VK_ESCAPE});
  ASSERT_TRUE(WaitUntil([&] { return program.FocusedWindow() == lists[0]; }));
  Press({VK_SPACE});
  EXPECT_TRUE(WaitUntil([&] { return program.StatusText(2) == "自动刷新已暂停"; })) << "Space in a list pauses";
  Press({VK_SPACE});
  EXPECT_TRUE(WaitUntil([&] { return program.StatusText(2).empty(); }));
}

}  // namespace
}  // namespace k32::e2e
