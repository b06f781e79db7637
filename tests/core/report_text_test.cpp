#include "report/report_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "core/fake_services.h"

namespace k32 {
namespace {

using testing::FakeServices;

const std::string kRule = "=======================================";
const ReportHeader kHeader{"PC-ROOM3", "operator", "2001-5-17", "14:03:26"};

Settings NoFlags() {
  Settings s;
  s.ProcID = s.PProcID = s.Threads = s.Priority = s.Modules = s.Path = s.Handle = s.Size = false;
  return s;
}

std::string Report(FakeServices& fake, const Settings& settings, const ReportHeader& header = kHeader) {
  std::string text;
  WriteReport(text, fake, settings, header);
  return text;
}

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) text.append(line).append("\n");
  return text;
}

const std::string kHeaderText = Lines({"有关正在运行进程的报告", kRule, "计算机: PC-ROOM3", "用户: operator",
                                       "日期: 2001-5-17", "时间: 14:03:26", ""});

// The two processes of the worked example: the system process cannot be opened or inspected.
FakeServices WorkedExample() {
  FakeServices fake;
  fake.AddProcess("System", 8, 0, 37, 0);
  fake.AddProcess("explorer.exe", 1156, 1120, 14, 0x20);
  fake.AddModule(1156, "explorer.exe", "C:\\WINNT\\explorer.exe", 0x01000000, 252 * 1024 + 1000);
  fake.AddModule(1156, "ntdll.dll", "C:\\WINNT\\System32\\ntdll.dll", 0x77F80000, 492 * 1024);
  return fake;
}

TEST(ReportText, WorkedExampleByteForByte) {
  FakeServices fake = WorkedExample();
  const std::string expected = kHeaderText + Lines({"",
                                                    kRule,
                                                    "System",
                                                    kRule,
                                                    "- 进程 ID: 8",
                                                    "- 父级进程 ID: 0",
                                                    "- 线程总数: 37",
                                                    "- 优先级: ---",
                                                    "- 相关模块:",
                                                    "",
                                                    kRule,
                                                    "explorer.exe",
                                                    kRule,
                                                    "- 进程 ID: 1156",
                                                    "- 父级进程 ID: 1120",
                                                    "- 线程总数: 14",
                                                    "- 优先级: NORMAL_PRIORITY_CLASS",
                                                    "- 相关模块:",
                                                    "    explorer.exe (C:\\WINNT\\explorer.exe)",
                                                    "    - 句柄: 16777216",
                                                    "    - 大小: 252 K",
                                                    "    ntdll.dll (C:\\WINNT\\System32\\ntdll.dll)",
                                                    "    - 句柄: 2012741632",
                                                    "    - 大小: 492 K"});
  EXPECT_EQ(Report(fake, Settings{}), expected);
  EXPECT_EQ(fake.processSnapshots, 1);
  EXPECT_EQ(fake.moduleSnapshots, (std::vector<std::uint32_t>{8, 1156}));
}

TEST(ReportText, WorkedExampleWithProcessIdAndModulesOnly) {
  FakeServices fake = WorkedExample();
  Settings settings = NoFlags();
  settings.ProcID = settings.Modules = true;
  const std::string expected =
      kHeaderText +
      Lines({"", kRule, "System", kRule, "- 进程 ID: 8", "- 相关模块:", "", kRule, "explorer.exe", kRule,
             "- 进程 ID: 1156", "- 相关模块:", "    explorer.exe", "    ntdll.dll"});
  EXPECT_EQ(Report(fake, settings), expected);
}

TEST(ReportText, AllFlagsClearLeavesOpeningsOnly) {
  FakeServices fake = WorkedExample();
  EXPECT_EQ(Report(fake, NoFlags()),
            kHeaderText + Lines({"", kRule, "System", kRule, "", kRule, "explorer.exe", kRule}));
}

TEST(ReportText, ModuleDetailsNeedModules) {
  FakeServices fake = WorkedExample();
  Settings settings = NoFlags();
  settings.Path = settings.Handle = settings.Size = true;
  EXPECT_EQ(Report(fake, settings),
            kHeaderText + Lines({"", kRule, "System", kRule, "", kRule, "explorer.exe", kRule}));
}

TEST(ReportText, EachModuleDetailOnItsOwn) {
  FakeServices fake;
  fake.AddProcess("a.exe", 5).AddModule(5, "a.exe", "C:\\a.exe", 0x00400000, 4096);
  const std::string head = kHeaderText + Lines({"", kRule, "a.exe", kRule, "- 相关模块:"});
  Settings settings = NoFlags();
  settings.Modules = true;
  settings.Handle = settings.Size = true;
  EXPECT_EQ(Report(fake, settings), head + Lines({"    a.exe", "    - 句柄: 4194304", "    - 大小: 4 K"}));
  settings.Handle = false;
  EXPECT_EQ(Report(fake, settings), head + Lines({"    a.exe", "    - 大小: 4 K"}));
  settings.Size = false;
  settings.Handle = true;
  EXPECT_EQ(Report(fake, settings), head + Lines({"    a.exe", "    - 句柄: 4194304"}));
  settings.Handle = false;
  settings.Path = true;
  EXPECT_EQ(Report(fake, settings), head + Lines({"    a.exe (C:\\a.exe)"}));
}

TEST(ReportText, ProcessZeroTakesNoModuleSnapshot) {
  FakeServices fake;
  fake.AddProcess("[System Process]", 0, 0, 1, 0);
  fake.AddModule(0, "should-not-appear.dll", "C:\\x.dll", 0x10000000, 4096);
  Settings settings = NoFlags();
  settings.Modules = true;
  EXPECT_EQ(Report(fake, settings),
            kHeaderText + Lines({"", kRule, "[System Process]", kRule, "- 相关模块:"}));
  EXPECT_TRUE(fake.moduleSnapshots.empty());
}

TEST(ReportText, NumberFormsAtTheirEdges) {
  FakeServices fake;
  fake.AddProcess("big.exe", 0x80000000u, 0xFFFFFFFFu, 0x80000001u, 0x80);
  fake.AddModule(0x80000000u, "small.dll", "small.dll", 0x80000000u, 1023);
  fake.AddModule(0x80000000u, "almost2k.dll", "almost2k.dll", 0xFFFFFFFFu, 2047);
  fake.AddModule(0x80000000u, "huge.dll", "huge.dll", 0x7FFFFFFFu, 0xFFFFFFFFu);
  Settings settings;
  settings.Path = false;
  const bool wide = kPointerBits == 64;
  EXPECT_EQ(
      Report(fake, settings),
      kHeaderText +
          Lines({"", kRule, "big.exe", kRule, "- 进程 ID: 2147483648", "- 父级进程 ID: 4294967295",
                 "- 线程总数: 2147483649", "- 优先级: HIGH_PRIORITY_CLASS", "- 相关模块:", "    small.dll",
                 wide ? "    - 句柄: 2147483648" : "    - 句柄: -2147483648", "    - 大小: 0 K",
                 "    almost2k.dll", wide ? "    - 句柄: 4294967295" : "    - 句柄: -1", "    - 大小: 1 K",
                 "    huge.dll", "    - 句柄: 2147483647", "    - 大小: 4194303 K"}));
}

TEST(ReportText, PriorityLineNamesFourClassesOnly) {
  const std::pair<std::uint32_t, std::string_view> cases[] = {{0x20, "NORMAL_PRIORITY_CLASS"},
                                                              {0x40, "IDLE_PRIORITY_CLASS"},
                                                              {0x80, "HIGH_PRIORITY_CLASS"},
                                                              {0x100, "REALTIME_PRIORITY_CLASS"},
                                                              {0x4000, "---"},
                                                              {0x8000, "---"},
                                                              {0, "---"}};
  Settings settings = NoFlags();
  settings.Priority = true;
  for (const auto& [priorityClass, name] : cases) {
    FakeServices fake;
    fake.AddProcess("p.exe", 12, 1, 1, priorityClass);
    EXPECT_EQ(Report(fake, settings),
              kHeaderText + Lines({"", kRule, "p.exe", kRule, std::string("- 优先级: ").append(name)}));
  }
}

TEST(ReportText, FullPathHeadsWithFileNameAndKeepsModulePathWhole) {
  FakeServices fake;
  fake.AddProcess("C:\\WINNT\\system32\\smss.exe", 140);
  // 0xB1 0x5C is one double-byte character whose second byte is a backslash.
  fake.AddProcess("C:\\程序\\\xB1\x5C.exe", 141);
  fake.AddModule(140, "smss.exe", "C:\\WINNT\\system32\\smss.exe", 0x48580000, 45056);
  Settings settings = NoFlags();
  settings.Modules = settings.Path = true;
  EXPECT_EQ(Report(fake, settings), kHeaderText + Lines({"", kRule, "smss.exe", kRule, "- 相关模块:",
                                                         "    smss.exe (C:\\WINNT\\system32\\smss.exe)", "",
                                                         kRule, "\xB1\x5C.exe", kRule, "- 相关模块:"}));
}

TEST(ReportText, HeaderAloneWithoutProcessesAndEmptyNames) {
  FakeServices fake;
  std::string text = "an earlier report that must go";
  WriteReport(text, fake, Settings{}, ReportHeader{"", "", "2001-5-17", "2:03:26 PM"});
  EXPECT_EQ(text, Lines({"有关正在运行进程的报告", kRule, "计算机: ", "用户: ", "日期: 2001-5-17",
                         "时间: 2:03:26 PM", ""}));
  // The labels are code page 936 bytes: "有关" is D3 D0 B9 D8, "计算机: " eight bytes.
  EXPECT_TRUE(text.starts_with("\xD3\xD0\xB9\xD8"));
  EXPECT_NE(text.find("\n\xBC\xC6\xCB\xE3\xBB\xFA: \n"), std::string::npos);
}

TEST(ReportText, FlagsAreReadAsEachLineIsWritten) {
  FakeServices fake;
  Settings settings = NoFlags();
  std::string text;
  ReportWriter writer(text, fake, settings);
  writer.WriteHeader(kHeader);
  writer.AddPidItem("a.exe", 1, 0, 1);
  settings.ProcID = settings.Modules = true;
  writer.AddPidItem("b.exe", 2, 0, 1);
  writer.AddRsItem("b.dll", "C:\\b.dll", 0x10000000, 2048);
  EXPECT_EQ(text, kHeaderText + Lines({"", kRule, "a.exe", kRule, "", kRule, "b.exe", kRule, "- 进程 ID: 2",
                                       "- 相关模块:", "    b.dll"}));
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "the text must end with a line feed";
  return lines;
}

std::size_t CountStarting(const std::vector<std::string>& lines, std::string_view prefix) {
  return std::count_if(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.starts_with(prefix); });
}

// Every combination of the eight flags over processes with and without modules: the layout holds
// and each kind of line appears exactly when its flags say.
TEST(ReportText, LayoutAndLineCountsForEveryFlagCombination) {
  FakeServices fake;
  fake.AddProcess("[System Process]", 0, 0, 1, 0);
  fake.AddModule(0, "ghost.dll", "C:\\ghost.dll", 1, 1);
  fake.AddProcess("System", 4, 0, 30, 0);
  fake.AddProcess("C:\\bin\\one.exe", 300, 4, 3, 0x20);
  fake.AddModule(300, "one.exe", "C:\\bin\\one.exe", 0x00400000, 65536);
  fake.AddModule(300, "k.dll", "C:\\sys\\k.dll", 0xBFF70000, 1);
  fake.AddModule(300, "u.dll", "C:\\sys\\u.dll", 0x7E000000, 3000);
  fake.AddProcess("two.exe", 301, 300, 1, 0x40);
  fake.AddModule(301, "two.exe", "two.exe", 0x00400000, 100);
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
    const std::string text = Report(fake, s);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.find("\n\n\n\n"), std::string::npos);
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_GE(lines.size(), 9u);
    // Exactly two empty lines between the time line and the first rule, one before every later rule.
    EXPECT_TRUE(lines[5].starts_with("时间: "));
    EXPECT_EQ(lines[6], "");
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
    EXPECT_EQ(CountStarting(lines, "- 进程 ID: "), s.ProcID ? processes : 0);
    EXPECT_EQ(CountStarting(lines, "- 父级进程 ID: "), s.PProcID ? processes : 0);
    EXPECT_EQ(CountStarting(lines, "- 线程总数: "), s.Threads ? processes : 0);
    EXPECT_EQ(CountStarting(lines, "- 优先级: "), s.Priority ? processes : 0);
    EXPECT_EQ(CountStarting(lines, "- 相关模块:"), s.Modules ? processes : 0);
    EXPECT_EQ(CountStarting(lines, "    - 句柄: "), s.Modules && s.Handle ? modules : 0);
    EXPECT_EQ(CountStarting(lines, "    - 大小: "), s.Modules && s.Size ? modules : 0);
    const std::size_t moduleNameLines = CountStarting(lines, "    ") - CountStarting(lines, "    - ");
    EXPECT_EQ(moduleNameLines, s.Modules ? modules : 0);
    EXPECT_EQ(CountStarting(lines, "    u.dll (C:\\sys\\u.dll)"), s.Modules && s.Path ? 1u : 0u);
    EXPECT_EQ(text.find("ghost"), std::string::npos);
  }
}

}  // namespace
}  // namespace k32
