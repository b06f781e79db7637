// The three ways of finding things, driven from outside: the filter field, the 查找模块 window
// against the system's own module snapshots, and the crosshair dragged onto a window of another process.
#include <windows.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "common/text.h"
#include "e2e/driver.h"

namespace k32::e2e {
namespace {

constexpr int kToolBar1Buttons = 10;
constexpr int kWindowsButton = 1, kCrosshairButton = 6;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string HandleText(HWND window) {
  return SignedText(static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)));
}

void ClickToolButton(const Program& program, int index) {
  HWND bar = program.ToolBar(kToolBar1Buttons);
  const RECT rect = program.ToolButtonRect(bar, index);
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(bar, WM_LBUTTONUP, 0, at);
}

TEST(FindingE2E, TheFilterNarrowsBothPagesAndEscClearsIt) {
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  const auto lists = program.ListViews();
  const auto edits = ChildrenOfClass(program.MainWindow(), "Edit");
  ASSERT_EQ(edits.size(), 1u);
  ASSERT_TRUE(WaitUntil([&] { return program.RowCount(lists[0]) > 1; }));
  const int processes = program.RowCount(lists[0]);

  for (char c : std::string("EXPLORER")) PostMessageA(edits[0], WM_CHAR, static_cast<WPARAM>(c), 1);
  ASSERT_TRUE(WaitUntil([&] { return EditText(edits[0]) == "EXPLORER"; }));
  const int shown = program.RowCount(lists[0]);
  EXPECT_GE(shown, 1);
  EXPECT_LT(shown, processes);
  for (int row = 0; row < shown; ++row) EXPECT_EQ(Lower(program.CellText(lists[0], row, 0)), "explorer.exe");
  EXPECT_EQ(program.StatusText(0), "进程: " + std::to_string(shown) + " / " + std::to_string(processes));

  ClickToolButton(program, kWindowsButton);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(lists[2]); }));
  const int windows = program.RowCount(lists[2]);
  EXPECT_GE(windows, 1);
  for (int row = 0; row < windows; ++row)
    EXPECT_EQ(Lower(program.CellText(lists[2], row, 3)), "explorer.exe") << row;
  EXPECT_NE(program.StatusText(1).find(std::to_string(windows) + " / "), std::string::npos);

  PostMessageA(edits[0], WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(WaitUntil([&] { return EditText(edits[0]).empty() && program.FocusedWindow() == lists[2]; }));
  EXPECT_GT(program.RowCount(lists[2]), windows);
  EXPECT_EQ(program.StatusText(1), "顶层窗口: " + std::to_string(program.RowCount(lists[2])));
  EXPECT_EQ(program.StatusText(0), "进程: " + std::to_string(processes));
}

// Every process's modules whose name or path holds the text, as "pid|path", read by this process.
std::set<std::string> SystemHolders(const std::string& text) {
  std::set<std::string> holders;
  HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 process{};
  process.dwSize = sizeof process;
  for (BOOL more = Process32First(processes, &process); more; more = Process32Next(processes, &process)) {
    const DWORD flags = TH32CS_SNAPMODULE | (sizeof(void*) == 8 ? TH32CS_SNAPMODULE32 : 0);
    HANDLE modules = CreateToolhelp32Snapshot(flags, process.th32ProcessID);
    if (modules == INVALID_HANDLE_VALUE) continue;
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    for (BOOL m = Module32First(modules, &module); m; m = Module32Next(modules, &module))
      if (Lower(module.szModule).find(text) != std::string::npos ||
          Lower(module.szExePath).find(text) != std::string::npos)
        holders.insert(std::to_string(process.th32ProcessID) + "|" + module.szExePath);
    CloseHandle(modules);
  }
  CloseHandle(processes);
  return holders;
}

TEST(FindingE2E, TheFindWindowListsTheSystemsHoldersAndShowsTheChosenOne) {
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  // From the end of the commands menu: 退出, then 查找模块... above the separator.
  PostMessageA(program.MainWindow(), WM_SYSKEYDOWN, 'C', 0x20000001);
  ASSERT_NE(WaitForPopupMenu(program.ProcessId()), nullptr);
  for (WPARAM key : {VK_UP, VK_UP, VK_RETURN}) PostMessageA(program.MainWindow(), WM_KEYDOWN, key, 1);
  HWND find = WaitForWindow(program.ProcessId(), "查找模块");
  ASSERT_NE(find, nullptr);
  HWND edit = ChildrenOfClass(find, "Edit").at(0);
  HWND results = ChildrenOfClass(find, WC_LISTVIEWA).at(0);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("COMCTL32"));
  PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  const auto status = [&] {
    for (HWND label : ChildrenOfClass(find, "Static"))
      if (WindowText(label).starts_with("找到 ")) return WindowText(label);
    return std::string();
  };
  ASSERT_TRUE(WaitUntil([&] { return !status().empty(); }, 30000));
  EXPECT_TRUE(status().starts_with("找到 " + std::to_string(program.RowCount(results)) + " 个模块"))
      << status();

  std::set<std::string> listed;
  for (int row = 0; row < program.RowCount(results); ++row)
    listed.insert(program.CellText(results, row, 1) + "|" + program.CellText(results, row, 3));
  EXPECT_EQ(listed, SystemHolders("comctl32"));
  EXPECT_NE(program.FindRow(results, 1, std::to_string(program.ProcessId())), -1) << "the program's own";

  // A double click on the first hit: the processes page shows its process and module selected.
  ASSERT_GT(program.RowCount(results), 0);
  const std::string pid = program.CellText(results, 0, 1), path = program.CellText(results, 0, 3);
  RECT header{};
  GetWindowRect(reinterpret_cast<HWND>(SendMessageA(results, LVM_GETHEADER, 0, 0)), &header);
  const LPARAM at = MAKELPARAM(30, header.bottom - header.top + 6);
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    PostMessageA(results, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
  const auto lists = program.ListViews();
  EXPECT_TRUE(WaitUntil([&] {
    const int process = program.SelectedRow(lists[0]), module = program.SelectedRow(lists[1]);
    return process >= 0 && module >= 0 && program.CellText(lists[0], process, 1) == pid &&
           program.CellText(lists[1], module, 1) == path;
  }));
}

// A pointer event of the whole desktop, as the mouse gives it.
void MouseAt(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

// Waits while this thread's windows answer their messages.
template <typename Condition>
bool PumpUntil(const Condition& condition, DWORD milliseconds = 10000) {
  return WaitUntil(
      [&] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        return condition();
      },
      milliseconds);
}

// Drags the crosshair from its button to the point, through the pointer as a user moves it; true
// when panel 3 named the window under the point before the button went up.
bool DragCrosshairTo(const Program& program, POINT to) {
  HWND bar = program.ToolBar(kToolBar1Buttons);
  const RECT button = program.ToolButtonRect(bar, kCrosshairButton);
  POINT start{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  ClientToScreen(bar, &start);
  MouseAt(start, 0);
  MouseAt(start, MOUSEEVENTF_LEFTDOWN);
  // The system routes a pointer event when it comes: the moves wait until the drag holds the mouse.
  EXPECT_TRUE(PumpUntil([&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(bar, nullptr), &info);
    return info.hwndCapture == bar;
  }));
  for (POINT p : {POINT{400, 300}, POINT{to.x - 80, to.y - 80}, to}) {
    MouseAt(p, 0);
    PumpUntil([] { return false; }, 100);
  }
  const std::string under = "句柄: " + HandleText(WindowFromPoint(to));
  // The hand rests there but is never quite still: a move that went astray is made again.
  int shake = 0;
  const bool named = PumpUntil([&] {
    if (++shake % 20 == 0) MouseAt({to.x + shake / 20 % 2, to.y}, 0);
    return program.StatusText(2).find(under) != std::string::npos;
  });
  MouseAt(to, MOUSEEVENTF_LEFTUP);
  return named;
}

TEST(FindingE2E, TheCrosshairDraggedOntoAnotherProcesssWindowSelectsIt) {
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  HWND target =
      CreateWindowExA(WS_EX_TOPMOST, "#32770", "crosshair target", WS_POPUP | WS_VISIBLE | WS_BORDER, 760,
                      520, 300, 200, nullptr, nullptr, nullptr, nullptr);
  HWND inner = CreateWindowExA(0, "BUTTON", "inner", WS_CHILD | WS_VISIBLE, 40, 40, 160, 60, target, nullptr,
                               nullptr, nullptr);
  ASSERT_TRUE(target && inner);
  const auto lists = program.ListViews();
  ClickToolButton(program, kWindowsButton);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(lists[2]); }));

  EXPECT_TRUE(DragCrosshairTo(program, POINT{880, 580}));
  EXPECT_TRUE(PumpUntil([&] {
    const int top = program.SelectedRow(lists[2]), child = program.SelectedRow(lists[3]);
    return top >= 0 && child >= 0 && program.CellText(lists[2], top, 0) == HandleText(target) &&
           program.CellText(lists[3], child, 0) == HandleText(inner);
  }));
  EXPECT_EQ(program.FocusedWindow(), lists[3]);
  DestroyWindow(target);
}

// The 32-bit program on a 64-bit system picks a window of a 64-bit process: the desktop's task bar.
TEST(FindingE2E, TheCrosshairPicksAWindowOfTheOtherWordSize) {
  BOOL wow = FALSE;
  if (sizeof(void*) != 4 || !IsWow64Process(GetCurrentProcess(), &wow) || !wow)
    GTEST_SKIP() << "a system of one word size";
  HWND taskBar = FindWindowA("Shell_TrayWnd", nullptr);
  RECT bounds{};
  ASSERT_TRUE(taskBar && GetWindowRect(taskBar, &bounds));
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  const auto lists = program.ListViews();
  ClickToolButton(program, kWindowsButton);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(lists[2]); }));

  const POINT over{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
  ASSERT_EQ(GetAncestor(WindowFromPoint(over), GA_ROOT), taskBar);
  EXPECT_TRUE(DragCrosshairTo(program, over)) << program.StatusText(2);
  EXPECT_TRUE(PumpUntil([&] {
    const int top = program.SelectedRow(lists[2]);
    return top >= 0 && program.CellText(lists[2], top, 0) == HandleText(taskBar);
  }));
}

// Another instance's windows carry the program's mark, holding addresses of that process: the
// pointer leaving a tool button for such a window clears the hint, and the program goes on.
TEST(FindingE2E, ThePointerLeavingForAnotherInstancesWindowClearsTheHint) {
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  RECT bounds{};
  GetWindowRect(program.MainWindow(), &bounds);
  HWND other = CreateWindowExA(WS_EX_TOPMOST, "#32770", "another instance", WS_POPUP | WS_VISIBLE | WS_BORDER,
                               bounds.right + 10, bounds.top, 300, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(other && SetPropA(other, "Kestrel32.Object", reinterpret_cast<HANDLE>(16)));
  HWND bar = program.ToolBar(kToolBar1Buttons);
  const RECT button = program.ToolButtonRect(bar, 0);
  POINT over{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  ClientToScreen(bar, &over);
  MouseAt(over, 0);
  ASSERT_TRUE(PumpUntil([&] { return !program.StatusText(2).empty(); }));
  MouseAt({bounds.right + 160, bounds.top + 100}, 0);
  // Read only while the program answers: a program stopped by a fault would hold the reader.
  bool answering = true, cleared = false;
  PumpUntil([&] {
    DWORD_PTR answer = 0;
    answering = SendMessageTimeoutA(program.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0;
    cleared = answering && program.StatusText(2).empty();
    return !answering || cleared;
  });
  ASSERT_TRUE(answering) << "the program stopped answering";
  EXPECT_TRUE(cleared) << program.StatusText(2);
  RemovePropA(other, "Kestrel32.Object");
  DestroyWindow(other);
}

}  // namespace
}  // namespace k32::e2e
