// The module list and the report of the real program against the system's own module snapshot,
// taken by this test process, which has the program's word size. On a 64-bit system explorer.exe
// is a 64-bit process: the 64-bit program lists its modules whole, the 32-bit one lists none.
#include <windows.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/text.h"
#include "e2e/driver.h"
#include "report/report_lines.h"
#include "shared/report_files.h"
#include "win/registry_values.h"

namespace k32::e2e {
namespace {

bool UnderWow64() {
  BOOL wow = FALSE;
  return sizeof(void*) == 4 && IsWow64Process(GetCurrentProcess(), &wow) && wow;
}

struct SystemModule {
  std::string name, path;
  std::uint64_t address;
  std::uint32_t size;
};

std::vector<SystemModule> SystemModules(DWORD processId) {
  std::vector<SystemModule> modules;
  const DWORD flags = TH32CS_SNAPMODULE | (sizeof(void*) == 8 ? TH32CS_SNAPMODULE32 : 0);
  HANDLE snapshot = CreateToolhelp32Snapshot(flags, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return modules;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry))
    modules.push_back(
        {entry.szModule, entry.szExePath, reinterpret_cast<UINT_PTR>(entry.hModule), entry.modBaseSize});
  CloseHandle(snapshot);
  return modules;
}

class SystemModulesE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(program_.MainWindow(), nullptr);
    const std::vector<HWND> lists = program_.ListViews();
    ASSERT_EQ(lists.size(), 4u);
    procs_ = lists[0];
    modules_ = lists[1];
  }

  // Selects the process's row; its module list is then rebuilt by the program.
  DWORD SelectProcess(const std::string& exe) {
    const int row = program_.FindRow(procs_, 0, exe);
    if (row < 0) return 0;
    program_.SelectRow(procs_, row);
    return ParseDecimalModulo32(program_.CellText(procs_, row, 1));
  }

  // The rows must hold still while they are read: the defaults, without another test's automatic
  // refresh, and no other test's settings until this one's program has gone.
  struct DefaultSettings {
    RegistryTurn turn;
    DefaultSettings() {
      testing::DeleteKeyTree(testing::kProgramKeyPath + "\\2.0\\Lists");
      testing::StoreDefaultSettings();
    }
  } settings_;
  Program program_;
  HWND procs_ = nullptr;
  HWND modules_ = nullptr;
};

// The modules as the module list's rows show them, and as the report's lines write them.
std::vector<std::string> RowTexts(const std::vector<SystemModule>& modules) {
  std::vector<std::string> rows;
  for (const SystemModule& m : modules)
    rows.push_back(m.name + "|" + m.path + "|" + PointerText(m.address) + "|" + KilobyteText(m.size));
  return rows;
}
std::vector<std::string> ReportLines(const std::vector<SystemModule>& modules) {
  std::vector<std::string> lines;
  for (const SystemModule& m : modules) {
    lines.push_back("    " + m.name + " (" + m.path + ")");
    lines.push_back("    - 句柄: " + PointerText(m.address));
    lines.push_back("    - 大小: " + KilobyteText(m.size));
  }
  return lines;
}

TEST_F(SystemModulesE2E, ExplorersModulesInTheListAndTheReportAreTheSystemsOwn) {
  const DWORD explorer = SelectProcess("explorer.exe");
  ASSERT_NE(explorer, 0u) << "the desktop's explorer.exe is listed";
  auto shown = [&] {
    std::vector<std::string> rows;
    for (int row = 0; row < program_.RowCount(modules_); ++row) {
      rows.push_back(program_.CellText(modules_, row, 0) + "|" + program_.CellText(modules_, row, 1) + "|" +
                     program_.CellText(modules_, row, 2) + "|" + program_.CellText(modules_, row, 3));
    }
    return rows;
  };
  // Explorer may load a module while other tests run beside this one: then F5 (which keeps the
  // selection on explorer.exe) and the system's snapshot are asked again.
  std::vector<SystemModule> expected;
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (attempt > 0) PostMessageA(program_.MainWindow(), WM_KEYDOWN, VK_F5, 1);
    expected = SystemModules(explorer);
    if (WaitUntil([&] { return shown() == RowTexts(expected); }, 3000)) break;
  }
  EXPECT_EQ(shown(), RowTexts(expected));
  if (sizeof(void*) == 8) {
    EXPECT_FALSE(expected.empty());
    EXPECT_TRUE(std::any_of(expected.begin(), expected.end(), [](const SystemModule& m) {
      return m.address > 0xFFFFFFFFull;
    })) << "a 64-bit process has modules above 4 GB";
  }
  if (UnderWow64()) {
    EXPECT_TRUE(expected.empty()) << "a 32-bit program cannot see a 64-bit process's modules";
    EXPECT_EQ(WaitForMessageBox(program_.ProcessId(), 300), nullptr) << "and asks nothing of it";
    EXPECT_TRUE(WaitUntil([&] {
      return program_.StatusText(2) == "无法读取 64 位进程的模块: 请使用 kestrel64.exe。";
    })) << "but says why in the status bar: "
        << program_.StatusText(2);
  } else {
    EXPECT_EQ(program_.StatusText(2), "");
  }

  // The report's section of explorer.exe lists the modules the system gives before or after it.
  HWND report = nullptr, edit = nullptr;
  program_.OpenReport(report, edit);
  ASSERT_NE(edit, nullptr);
  const std::vector<std::string> lines = testing::LinesOf(program_.RichEditText(edit));
  const std::vector<SystemModule> after = SystemModules(explorer);
  auto at = std::find(lines.begin(), lines.end(), "- 进程 ID: " + UnsignedText(explorer));
  ASSERT_NE(at, lines.end());
  at = std::find(at, lines.end(), "- 相关模块:");
  ASSERT_NE(at, lines.end());
  const std::vector<std::string> section(at + 1, std::find(at, lines.end(), ""));
  if (section != ReportLines(after)) {
    EXPECT_EQ(section, ReportLines(expected));
  }
  PostMessageA(report, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntilGone(report));
}

TEST_F(SystemModulesE2E, OwnModulesSortByTheirAddressesAsNumbers) {
  // This test's own program, not another test's started beside it.
  const int own = program_.FindRow(procs_, 1, std::to_string(program_.ProcessId()));
  ASSERT_GE(own, 0);
  program_.SelectRow(procs_, own);
  WaitUntil([&] { return program_.RowCount(modules_) >= 3; }, 3000);
  ASSERT_GE(program_.RowCount(modules_), 3);
  EXPECT_EQ(program_.CellText(modules_, 0, 0), kProgramExe) << "the system gives the exe first";

  std::string shown;  // for the failure message
  auto addresses = [&] {
    std::vector<std::int64_t> values;
    shown.clear();
    for (int row = 0; row < program_.RowCount(modules_); ++row) {
      const std::string text = program_.CellText(modules_, row, 2);
      values.push_back(std::stoll(text));
      shown += text + ' ';
    }
    return values;
  };
  program_.ClickHeader(modules_, 2);
  std::vector<std::int64_t> sorted = addresses();
  const bool ascending = std::is_sorted(sorted.begin(), sorted.end());
  EXPECT_TRUE(ascending || std::is_sorted(sorted.rbegin(), sorted.rend())) << shown;
  EXPECT_NE(sorted.front(), sorted.back());
  program_.ClickHeader(modules_, 2);
  sorted = addresses();
  EXPECT_TRUE(ascending ? std::is_sorted(sorted.rbegin(), sorted.rend())
                        : std::is_sorted(sorted.begin(), sorted.end()))
      << shown;
}

}  // namespace
}  // namespace k32::e2e
