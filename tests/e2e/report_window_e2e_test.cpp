#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "report/report_lines.h"

namespace k32::e2e {
namespace {

bool WaitUntilGone(HWND window, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(20);
  }
  return true;
}

TEST(ReportWindowE2E, F4ShowsTheReportOfTheRunningProgramAndEscClosesIt) {
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  PostMessageA(program.MainWindow(), WM_KEYDOWN, VK_F4, 1);
  HWND report = WaitForWindow(program.ProcessId(), "有关正在运行进程的报告");
  ASSERT_NE(report, nullptr);
  const std::vector<HWND> edits = ChildrenOfClass(report, "RichEdit");
  ASSERT_EQ(edits.size(), 1u);
  EXPECT_FALSE(IsWindowEnabled(program.MainWindow()));

  const std::string text = program.RichEditText(edits[0]);
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(text)) lines.emplace_back(line);
  ASSERT_GT(lines.size(), 8u);
  char name[256] = {};
  DWORD size = sizeof name;
  GetComputerNameA(name, &size);
  EXPECT_EQ(lines[0], "有关正在运行进程的报告");
  EXPECT_EQ(lines[1], std::string(39, '='));
  EXPECT_EQ(lines[2], std::string("计算机: ") + name);
  size = sizeof name;
  GetUserNameA(name, &size);
  EXPECT_EQ(lines[3], std::string("用户: ") + name);
  EXPECT_EQ(lines[4].rfind("日期: ", 0), 0u);
  EXPECT_EQ(lines[5].rfind("时间: ", 0), 0u);
  // The program's own section, with its identifier.
  const auto head = std::find(lines.begin(), lines.end(), "kestrel32.exe");
  ASSERT_NE(head, lines.end());
  ASSERT_LT(std::distance(head, lines.end()), 100000);
  EXPECT_EQ(*(head + 2), "- 进程 ID: " + std::to_string(program.ProcessId()));
  // Line ends are CR LF in the window, one per report line.
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

  PostMessageA(edits[0], WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(WaitUntilGone(report, 5000));
  const DWORD start = GetTickCount();
  while (!IsWindowEnabled(program.MainWindow()) && GetTickCount() - start < 5000) Sleep(20);
  EXPECT_TRUE(IsWindowEnabled(program.MainWindow()));
}

}  // namespace
}  // namespace k32::e2e
