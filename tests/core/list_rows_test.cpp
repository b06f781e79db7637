// Rows of the process and module lists: texts, number formats and images.
#include "process/list_rows.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "core/list_row_support.h"

namespace k32 {
namespace {

TEST(ProcessRow, ShowsTheFileNameOfAnyPathAndTheNumbersUnsigned) {
  EXPECT_EQ(ProcessRow({"C:\\WINDOWS\\SYSTEM\\KERNEL32.EXE", 4294967295u, 2147483648u, 17}, 0x20),
            Row("KERNEL32.EXE", {"4294967295", "2147483648", "17", "NORMAL_PRIORITY_CLASS"}, 1));
  EXPECT_EQ(ProcessRow({"explorer.exe", 1234, 0, 0}, 0x80),
            Row("explorer.exe", {"1234", "0", "0", "HIGH_PRIORITY_CLASS"}, 1));
  EXPECT_EQ(ProcessRow({"D:tool.Exe", 8, 4, 2}, 0x40).caption, "tool.Exe");
  EXPECT_EQ(ProcessRow({"C:\\dir\\", 8, 4, 2}, 0x40).caption, "");
}

TEST(ProcessRow, ASecondByteThatLooksLikeABackslashDoesNotSplitTheName) {
  // "嘰" is 87 5C in code page 936: its second byte is the backslash's.
  const ProcessEntry process{"C:\\工具\\嘰嘰.exe", 300, 1, 3};
  EXPECT_EQ(ProcessRow(process, 0x100), Row("嘰嘰.exe", {"300", "1", "3", "REALTIME_PRIORITY_CLASS"}, 1));
}

TEST(ProcessRow, PriorityClassesOfLaterSystemsAndFailedQueriesShowDashes) {
  for (const std::uint32_t priority : {0x0u, 0x4000u, 0x8000u, 0x21u, 0xFFFFFFFFu})
    EXPECT_EQ(ProcessRow({"a.exe", 1, 0, 1}, priority).subItems.at(3), "---") << priority;
}

TEST(ProcessRow, OnlyAnExeExtensionInAnyCaseGivesTheExecutableImage) {
  EXPECT_EQ(ExecutableImage("A.EXE"), 1);
  EXPECT_EQ(ExecutableImage("a.eXe"), 1);
  EXPECT_EQ(ExecutableImage(".exe"), 1);
  EXPECT_EQ(ExecutableImage("[System Process]"), 0);
  EXPECT_EQ(ExecutableImage("KERNEL32.DLL"), 0);
  EXPECT_EQ(ExecutableImage("exe"), 0);
  EXPECT_EQ(ExecutableImage("a.exe.bak"), 0);
  EXPECT_EQ(ExecutableImage("a.exee"), 0);
  EXPECT_EQ(ExecutableImage("a.ex"), 0);
  EXPECT_EQ(ExecutableImage(""), 0);
  EXPECT_EQ(ProcessRow({"C:\\x\\noext", 5, 0, 1}, 0x20).image, 0);
}

TEST(ModuleRow, HandleSignedSizeInWholeKilobytes) {
  // Signed at the program's word size: what is negative in 32 bits is a plain address in 64.
  const bool wide = kPointerBits == 64;
  EXPECT_EQ(ModuleRow({"KERNEL32.DLL", "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", 0xBFF70000u, 1023}),
            Row("KERNEL32.DLL",
                {"C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", wide ? "3220635648" : "-1074331648", "0 K"}, 0));
  EXPECT_EQ(ModuleRow({"A.EXE", "C:\\A.EXE", 0x00400000u, 1535}),
            Row("A.EXE", {"C:\\A.EXE", "4194304", "1 K"}, 1));
  EXPECT_EQ(ModuleRow({"ntdll.dll", "C:\\ntdll.dll", 0x77F80000u, 524288}).subItems,
            (std::vector<std::string>{"C:\\ntdll.dll", "2012741632", "512 K"}));
  EXPECT_EQ(ModuleRow({"x", "", 0x80000000u, 0xFFFFFFFFu}).subItems,
            (std::vector<std::string>{"", wide ? "2147483648" : "-2147483648", "4194303 K"}));
  if (wide) {  // a 64-bit process's module above 4 GB, written whole
    EXPECT_EQ(ModuleRow({"x", "", 0x7FF6A1B20000ull, 0}).subItems[1], "140697251479552");
  }
}

}  // namespace
}  // namespace k32
