// What a process costs and who it is, as the real program lists it: a helper that holds 200 MB and
// keeps one processor busy for a while, started with a command line of its own.
#include <gtest/gtest.h>

#include <string>

#include "common/cost_text.h"
#include "common/text.h"
#include "e2e/driver.h"
#include "win/registry_values.h"
#include "win/test_child_process.h"

namespace k32::e2e {
namespace {

constexpr int kPidColumn = 1, kCpuColumn = 5, kPrivateBytesColumn = 7, kStartTimeColumn = 11,
              kCommandLineColumn = 12;

std::string LocalStartTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  SYSTEMTIME utc{}, local{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user) || !FileTimeToSystemTime(&created, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
    return "?";
  return DateTimeText(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond);
}

TEST(CostsE2E, ABusyHelperHoldingMemoryShowsItsCostsCommandLineAndStartAndComesFirstBySize) {
  RegistryTurn turn;
  testing::DeleteKeyTree("Software\\Tobin Quillmark\\Kestrel32\\2.0\\Lists\\ProcList");
  testing::TestChild helper(L"--cost \"\u53C2\u6570 with space\" x");
  ASSERT_TRUE(helper.Started());
  Program program;
  ASSERT_NE(program.MainWindow(), nullptr);
  HWND procs = program.ListViews().at(0);
  const auto cell = [&](int column) {
    const int row = program.FindRow(procs, kPidColumn, helper.Pid());
    return row < 0 ? std::wstring(L"?") : program.WideCellText(procs, row, column);
  };
  const auto cpu = [&] { return ReadCostNumber(cell(kCpuColumn)).value_or(-1); };
  const auto refreshed = [&](auto condition) {
    return WaitUntil(
        [&] {
          PostMessageA(procs, WM_KEYDOWN, VK_F5, 1);
          PostMessageA(procs, WM_KEYUP, VK_F5, 0xC0000001);
          Sleep(500);
          return condition();
        },
        15000);
  };
  EXPECT_TRUE(refreshed([&] { return cpu() > 20; })) << "while it spins: " << cpu();
  EXPECT_TRUE(refreshed([&] { return cpu() >= 0 && cpu() < 1; })) << "once it sleeps: " << cpu();
  EXPECT_GE(ReadCostNumber(cell(kPrivateBytesColumn)).value_or(0), 200'000);

  program.ClickHeader(procs, kPrivateBytesColumn);
  EXPECT_TRUE(WaitUntil([&] { return program.CellText(procs, 0, kPidColumn) == helper.Pid(); }))
      << "the largest first: " << program.CellText(procs, 0, 0);
  EXPECT_EQ(cell(kCommandLineColumn), helper.CommandLine());
  EXPECT_EQ(cell(kStartTimeColumn), std::wstring(WidenAscii(LocalStartTime(helper.Process()))));
}

}  // namespace
}  // namespace k32::e2e
