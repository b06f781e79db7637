#include "report/report_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "system/fake_services.h"

namespace k32 {
namespace {

using testing::FakeServices;

const std::wstring kRule = L"=======================================";
const ReportHeader kHeader{L"PC-ROOM3", L"operator", L"2001-5-17", L"14:03:26"};

Settings NoFlags() {
  Settings s;
  s.ProcID = s.PProcID = s.Threads = s.Priority = s.Modules = s.Path = s.Handle = s.Size = false;
  return s;
}

std::wstring Report(FakeServices& fake, const Settings& settings, const ReportHeader& header = kHeader) {
  std::wstring text;
  WriteReport(text, fake, settings, header);
  return text;
}

std::wstring Lines(std::initializer_list<std::wstring_view> lines) {
  std::wstring text;
  for (std::wstring_view line : lines) text.append(line).append(L"\n");
  return text;
}

const std::wstring kHeaderText = Lines({L"有关正在运行进程的报告", kRule, L"计算机: PC-ROOM3",
                                        L"用户: operator", L"日期: 2001-5-17", L"时间: 14:03:26", L""});

// The two processes of the worked example: the system process cannot be opened or inspected.
FakeServices WorkedExample() {
  FakeServices fake;
  fake.AddProcess(L"System", 8, 0, 37, 0);
  fake.AddProcess(L"explorer.exe", 1156, 1120, 14, 0x20);
  fake.AddModule(1156, L"explorer.exe", L"C:\\WINNT\\explorer.exe", 0x01000000, 252 * 1024 + 1000);
  fake.AddModule(1156, L"ntdll.dll", L"C:\\WINNT\\System32\\ntdll.dll", 0x77F80000, 492 * 1024);
  return fake;
}

TEST(ReportText, WorkedExampleByteForByte) {
  FakeServices fake = WorkedExample();
  const std::wstring expected = kHeaderText + Lines({L"",
                                                     kRule,
                                                     L"System",
                                                     kRule,
                                                     L"- 进程 ID: 8",
                                                     L"- 父级进程 ID: 0",
                                                     L"- 线程总数: 37",
                                                     L"- 优先级: ---",
                                                     L"- 相关模块:",
                                                     L"",
                                                     kRule,
                                                     L"explorer.exe",
                                                     kRule,
                                                     L"- 进程 ID: 1156",
                                                     L"- 父级进程 ID: 1120",
                                                     L"- 线程总数: 14",
                                                     L"- 优先级: NORMAL_PRIORITY_CLASS",
                                                     L"- 相关模块:",
                                                     L"    explorer.exe (C:\\WINNT\\explorer.exe)",
                                                     L"    - 句柄: 16777216",
                                                     L"    - 大小: 252 K",
                                                     L"    ntdll.dll (C:\\WINNT\\System32\\ntdll.dll)",
                                                     L"    - 句柄: 2012741632",
                                                     L"    - 大小: 492 K"});
  EXPECT_EQ(Report(fake, Settings{}), expected);
  EXPECT_EQ(fake.processSnapshots, 1);
  EXPECT_EQ(fake.moduleSnapshots, (std::vector<std::uint32_t>{8, 1156}));
}

TEST(ReportText, WorkedExampleWithProcessIdAndModulesOnly) {
  FakeServices fake = WorkedExample();
  Settings settings = NoFlags();
  settings.ProcID = settings.Modules = true;
  const std::wstring expected =
      kHeaderText +
      Lines({L"", kRule, L"System", kRule, L"- 进程 ID: 8", L"- 相关模块:", L"", kRule, L"explorer.exe",
             kRule, L"- 进程 ID: 1156", L"- 相关模块:", L"    explorer.exe", L"    ntdll.dll"});
  EXPECT_EQ(Report(fake, settings), expected);
}

TEST(ReportText, AllFlagsClearLeavesOpeningsOnly) {
  FakeServices fake = WorkedExample();
  EXPECT_EQ(Report(fake, NoFlags()),
            kHeaderText + Lines({L"", kRule, L"System", kRule, L"", kRule, L"explorer.exe", kRule}));
}

TEST(ReportText, ModuleDetailsNeedModules) {
  FakeServices fake = WorkedExample();
  Settings settings = NoFlags();
  settings.Path = settings.Handle = settings.Size = true;
  EXPECT_EQ(Report(fake, settings),
            kHeaderText + Lines({L"", kRule, L"System", kRule, L"", kRule, L"explorer.exe", kRule}));
}

TEST(ReportText, EachModuleDetailOnItsOwn) {
  FakeServices fake;
  fake.AddProcess(L"a.exe", 5).AddModule(5, L"a.exe", L"C:\\a.exe", 0x00400000, 4096);
  const std::wstring head = kHeaderText + Lines({L"", kRule, L"a.exe", kRule, L"- 相关模块:"});
  Settings settings = NoFlags();
  settings.Modules = true;
  settings.Handle = settings.Size = true;
  EXPECT_EQ(Report(fake, settings), head + Lines({L"    a.exe", L"    - 句柄: 4194304", L"    - 大小: 4 K"}));
  settings.Handle = false;
  EXPECT_EQ(Report(fake, settings), head + Lines({L"    a.exe", L"    - 大小: 4 K"}));
  settings.Size = false;
  settings.Handle = true;
  EXPECT_EQ(Report(fake, settings), head + Lines({L"    a.exe", L"    - 句柄: 4194304"}));
  settings.Handle = false;
  settings.Path = true;
  EXPECT_EQ(Report(fake, settings), head + Lines({L"    a.exe (C:\\a.exe)"}));
}

TEST(ReportText, ProcessZeroTakesNoModuleSnapshot) {
  FakeServices fake;
  fake.AddProcess(L"[System Process]", 0, 0, 1, 0);
  fake.AddModule(0, L"should-not-appear.dll", L"C:\\x.dll", 0x10000000, 4096);
  Settings settings = NoFlags();
  settings.Modules = true;
  EXPECT_EQ(Report(fake, settings),
            kHeaderText + Lines({L"", kRule, L"[System Process]", kRule, L"- 相关模块:"}));
  EXPECT_TRUE(fake.moduleSnapshots.empty());
}

TEST(ReportText, NumberFormsAtTheirEdges) {
  FakeServices fake;
  fake.AddProcess(L"big.exe", 0x80000000u, 0xFFFFFFFFu, 0x80000001u, 0x80);
  fake.AddModule(0x80000000u, L"small.dll", L"small.dll", 0x80000000u, 1023);
  fake.AddModule(0x80000000u, L"almost2k.dll", L"almost2k.dll", 0xFFFFFFFFu, 2047);
  fake.AddModule(0x80000000u, L"huge.dll", L"huge.dll", 0x7FFFFFFFu, 0xFFFFFFFFu);
  Settings settings;
  settings.Path = false;
  const bool wide = kPointerBits == 64;
  EXPECT_EQ(Report(fake, settings),
            kHeaderText +
                Lines({L"", kRule, L"big.exe", kRule, L"- 进程 ID: 2147483648", L"- 父级进程 ID: 4294967295",
                       L"- 线程总数: 2147483649", L"- 优先级: HIGH_PRIORITY_CLASS", L"- 相关模块:",
                       L"    small.dll", wide ? L"    - 句柄: 2147483648" : L"    - 句柄: -2147483648",
                       L"    - 大小: 0 K", L"    almost2k.dll",
                       wide ? L"    - 句柄: 4294967295" : L"    - 句柄: -1", L"    - 大小: 1 K",
                       L"    huge.dll", L"    - 句柄: 2147483647", L"    - 大小: 4194303 K"}));
}

TEST(ReportText, PriorityLineNamesFourClassesOnly) {
  const std::pair<std::uint32_t, std::wstring_view> cases[] = {{0x20, L"NORMAL_PRIORITY_CLASS"},
                                                               {0x40, L"IDLE_PRIORITY_CLASS"},
                                                               {0x80, L"HIGH_PRIORITY_CLASS"},
                                                               {0x100, L"REALTIME_PRIORITY_CLASS"},
                                                               {0x4000, L"---"},
                                                               {0x8000, L"---"},
                                                               {0, L"---"}};
  Settings settings = NoFlags();
  settings.Priority = true;
  for (const auto& [priorityClass, name] : cases) {
    FakeServices fake;
    fake.AddProcess(L"p.exe", 12, 1, 1, priorityClass);
    EXPECT_EQ(Report(fake, settings),
              kHeaderText + Lines({L"", kRule, L"p.exe", kRule, std::wstring(L"- 优先级: ").append(name)}));
  }
}

TEST(ReportText, FullPathHeadsWithFileNameAndKeepsModulePathWhole) {
  FakeServices fake;
  fake.AddProcess(L"C:\\WINNT\\system32\\smss.exe", 140);
  // "盶" is B1 5C in code page 936: its second byte is the backslash's.
  fake.AddProcess(L"C:\\程序\\盶.exe", 141);
  fake.AddModule(140, L"smss.exe", L"C:\\WINNT\\system32\\smss.exe", 0x48580000, 45056);
  Settings settings = NoFlags();
  settings.Modules = settings.Path = true;
  EXPECT_EQ(Report(fake, settings), kHeaderText + Lines({L"", kRule, L"smss.exe", kRule, L"- 相关模块:",
                                                         L"    smss.exe (C:\\WINNT\\system32\\smss.exe)", L"",
                                                         kRule, L"盶.exe", kRule, L"- 相关模块:"}));
}

TEST(ReportText, HeaderAloneWithoutProcessesAndEmptyNames) {
  FakeServices fake;
  std::wstring text = L"an earlier report that must go";
  WriteReport(text, fake, Settings{}, ReportHeader{L"", L"", L"2001-5-17", L"2:03:26 PM"});
  EXPECT_EQ(text, Lines({L"有关正在运行进程的报告", kRule, L"计算机: ", L"用户: ", L"日期: 2001-5-17",
                         L"时间: 2:03:26 PM", L""}));
  EXPECT_TRUE(text.starts_with(L"有关"));
  EXPECT_NE(text.find(L"\n计算机: \n"), std::wstring::npos);
}

TEST(ReportText, FlagsAreReadAsEachLineIsWritten) {
  FakeServices fake;
  Settings settings = NoFlags();
  std::wstring text;
  ReportWriter writer(text, fake, settings);
  writer.WriteHeader(kHeader);
  writer.AddPidItem(L"a.exe", 1, 0, 1);
  settings.ProcID = settings.Modules = true;
  writer.AddPidItem(L"b.exe", 2, 0, 1);
  writer.AddRsItem(L"b.dll", L"C:\\b.dll", 0x10000000, 2048);
  EXPECT_EQ(text, kHeaderText + Lines({L"", kRule, L"a.exe", kRule, L"", kRule, L"b.exe", kRule,
                                       L"- 进程 ID: 2", L"- 相关模块:", L"    b.dll"}));
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << L"the text must end with a line feed";
  return lines;
}

std::size_t CountStarting(const std::vector<std::wstring>& lines, std::wstring_view prefix) {
  return std::count_if(lines.begin(), lines.end(),
                       [&](const std::wstring& l) { return l.starts_with(prefix); });
}

// Every combination of the eight flags over processes with and without modules: the layout holds
// and each kind of line appears exactly when its flags say.
TEST(ReportText, LayoutAndLineCountsForEveryFlagCombination) {
  FakeServices fake;
  fake.AddProcess(L"[System Process]", 0, 0, 1, 0);
  fake.AddModule(0, L"ghost.dll", L"C:\\ghost.dll", 1, 1);
  fake.AddProcess(L"System", 4, 0, 30, 0);
  fake.AddProcess(L"C:\\bin\\one.exe", 300, 4, 3, 0x20);
  fake.AddModule(300, L"one.exe", L"C:\\bin\\one.exe", 0x00400000, 65536);
  fake.AddModule(300, L"k.dll", L"C:\\sys\\k.dll", 0xBFF70000, 1);
  fake.AddModule(300, L"u.dll", L"C:\\sys\\u.dll", 0x7E000000, 3000);
  fake.AddProcess(L"two.exe", 301, 300, 1, 0x40);
  fake.AddModule(301, L"two.exe", L"two.exe", 0x00400000, 100);
  const std::size_t processes = 4, modules = 4;

  for (unsigned bits = 0; bits < 256; ++bits) {
    Settings s;
    s.ProcID = bits & 1;
    s.PProcID = bits & 2;
    s.Threads = bits & 4;
    s.Priority = bits & 8;
    s.Modules = bits & 16;
    s.Path = bits & 32;
    s.Handle = bits & 64;
    s.Size = bits & 128;
    SCOPED_TRACE(bits);
    const std::wstring text = Report(fake, s);
    EXPECT_EQ(text.find(L'\r'), std::wstring::npos);
    EXPECT_EQ(text.find(L"\n\n\n\n"), std::wstring::npos);
    const std::vector<std::wstring> lines = SplitLines(text);
    ASSERT_GE(lines.size(), 9u);
    // Exactly two empty lines between the time line and the first rule, one before every later rule.
    EXPECT_TRUE(lines[5].starts_with(L"时间: "));
    EXPECT_EQ(lines[6], L"");
    std::size_t emptyLines = 0;
    for (std::size_t i = 7; i < lines.size(); ++i) {
      if (!lines[i].empty()) continue;
      ++emptyLines;
      ASSERT_LT(i + 3, lines.size());
      EXPECT_EQ(lines[i + 1], kRule);
      EXPECT_EQ(lines[i + 3], kRule);
      EXPECT_FALSE(lines[i - 1].empty() && i - 1 != 6);
    }
    EXPECT_EQ(emptyLines, processes);
    EXPECT_EQ(CountStarting(lines, kRule), 1 + 2 * processes);
    EXPECT_EQ(CountStarting(lines, L"- 进程 ID: "), s.ProcID ? processes : 0);
    EXPECT_EQ(CountStarting(lines, L"- 父级进程 ID: "), s.PProcID ? processes : 0);
    EXPECT_EQ(CountStarting(lines, L"- 线程总数: "), s.Threads ? processes : 0);
    EXPECT_EQ(CountStarting(lines, L"- 优先级: "), s.Priority ? processes : 0);
    EXPECT_EQ(CountStarting(lines, L"- 相关模块:"), s.Modules ? processes : 0);
    EXPECT_EQ(CountStarting(lines, L"    - 句柄: "), s.Modules && s.Handle ? modules : 0);
    EXPECT_EQ(CountStarting(lines, L"    - 大小: "), s.Modules && s.Size ? modules : 0);
    const std::size_t moduleNameLines = CountStarting(lines, L"    ") - CountStarting(lines, L"    - ");
    EXPECT_EQ(moduleNameLines, s.Modules ? modules : 0);
    EXPECT_EQ(CountStarting(lines, L"    u.dll (C:\\sys\\u.dll)"), s.Modules && s.Path ? 1u : 0u);
    EXPECT_EQ(text.find(L"ghost"), std::wstring::npos);
  }
}

}  // namespace
}  // namespace k32
