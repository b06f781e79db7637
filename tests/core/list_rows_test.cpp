// Rows of the process and module lists: texts, number formats and images.
#include "process/list_rows.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "core/list_row_support.h"

namespace k32 {
namespace {

// The Part's five cells of a process row, with its caption and image (the rest is the costs').
ListRow FirstFive(ListRow row) {
  row.subItems.resize(4);
  row.key.clear();
  return row;
}

TEST(ProcessRow, ShowsTheFileNameOfAnyPathAndTheNumbersUnsigned) {
  EXPECT_EQ(FirstFive(ProcessRow({L"C:\\WINDOWS\\SYSTEM\\KERNEL32.EXE", 4294967295u, 2147483648u, 17}, 0x20)),
            Row(L"KERNEL32.EXE", {L"4294967295", L"2147483648", L"17", L"NORMAL_PRIORITY_CLASS"}, 1));
  EXPECT_EQ(FirstFive(ProcessRow({L"explorer.exe", 1234, 0, 0}, 0x80)),
            Row(L"explorer.exe", {L"1234", L"0", L"0", L"HIGH_PRIORITY_CLASS"}, 1));
  EXPECT_EQ(ProcessRow({L"D:tool.Exe", 8, 4, 2}, 0x40).caption, L"tool.Exe");
  EXPECT_EQ(ProcessRow({L"C:\\dir\\", 8, 4, 2}, 0x40).caption, L"");
}

TEST(ProcessRow, ASecondByteThatLooksLikeABackslashDoesNotSplitTheName) {
  // L"嘰" is 87 5C in code page 936: its second byte is the backslash's.
  const ProcessEntry process{L"C:\\工具\\嘰嘰.exe", 300, 1, 3};
  EXPECT_EQ(FirstFive(ProcessRow(process, 0x100)),
            Row(L"嘰嘰.exe", {L"300", L"1", L"3", L"REALTIME_PRIORITY_CLASS"}, 1));
}

TEST(ProcessRow, PriorityClassesOfLaterSystemsAndFailedQueriesShowDashes) {
  for (const std::uint32_t priority : {0x0u, 0x4000u, 0x8000u, 0x21u, 0xFFFFFFFFu})
    EXPECT_EQ(ProcessRow({L"a.exe", 1, 0, 1}, priority).subItems.at(3), L"---") << priority;
}

TEST(ProcessRow, CostsAndFactsFollowAndTheKeyIsTheIdentity) {
  ProcessEntry process{L"a.exe", 4000000000u, 0, 1, 133'000'000'000'000'000ull, 34'500'000, 211'566'592, 4096, 96};
  const ProcessDetails details{L"VM\\root", L"a.exe -x \"y z\"", L"C:\\a.exe", L"工具", L"Tobin"};
  const ListRow row = ProcessRow(process, 0x20, {49.874, &details, L"2026-12-08 16:38:07"});
  EXPECT_EQ(std::vector<std::wstring>(row.subItems.begin() + 4, row.subItems.end()),
            (std::vector<std::wstring>{L"49.87", L"0:00:03.450", L"206,608 K", L"4 K", L"96", L"VM\\root",
                                       L"2026-12-08 16:38:07", L"a.exe -x \"y z\"", L"工具", L"Tobin",
                                       L"C:\\a.exe"}));
  EXPECT_EQ(row.subItems.size() + 1, static_cast<std::size_t>(kProcessColumns));
  EXPECT_EQ(ParseProcessKey(row.key), (ProcessIdentity{4000000000u, 133'000'000'000'000'000ull}));
  EXPECT_EQ(ParseProcessKey(L"12:x"), std::nullopt);
  EXPECT_EQ(ParseProcessKey(L"4294967296:1"), std::nullopt);
  EXPECT_EQ(ProcessRow(process, 0x20).subItems[kUserColumn - 1], L"") << "nothing known of it";
}

TEST(ProcessRow, OnlyAnExeExtensionInAnyCaseGivesTheExecutableImage) {
  EXPECT_EQ(ExecutableImage(L"A.EXE"), 1);
  EXPECT_EQ(ExecutableImage(L"a.eXe"), 1);
  EXPECT_EQ(ExecutableImage(L".exe"), 1);
  EXPECT_EQ(ExecutableImage(L"[System Process]"), 0);
  EXPECT_EQ(ExecutableImage(L"KERNEL32.DLL"), 0);
  EXPECT_EQ(ExecutableImage(L"exe"), 0);
  EXPECT_EQ(ExecutableImage(L"a.exe.bak"), 0);
  EXPECT_EQ(ExecutableImage(L"a.exee"), 0);
  EXPECT_EQ(ExecutableImage(L"a.ex"), 0);
  EXPECT_EQ(ExecutableImage(L""), 0);
  EXPECT_EQ(ProcessRow({L"C:\\x\\noext", 5, 0, 1}, 0x20).image, 0);
}

TEST(ModuleRow, HandleSignedSizeInWholeKilobytes) {
  // Signed at the program's word size: what is negative in 32 bits is a plain address in 64.
  const bool wide = kPointerBits == 64;
  EXPECT_EQ(ModuleRow({L"KERNEL32.DLL", L"C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", 0xBFF70000u, 1023}),
            Row(L"KERNEL32.DLL",
                {L"C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", wide ? L"3220635648" : L"-1074331648", L"0 K"}, 0));
  EXPECT_EQ(ModuleRow({L"A.EXE", L"C:\\A.EXE", 0x00400000u, 1535}),
            Row(L"A.EXE", {L"C:\\A.EXE", L"4194304", L"1 K"}, 1));
  EXPECT_EQ(ModuleRow({L"ntdll.dll", L"C:\\ntdll.dll", 0x77F80000u, 524288}).subItems,
            (std::vector<std::wstring>{L"C:\\ntdll.dll", L"2012741632", L"512 K"}));
  EXPECT_EQ(ModuleRow({L"x", L"", 0x80000000u, 0xFFFFFFFFu}).subItems,
            (std::vector<std::wstring>{L"", wide ? L"2147483648" : L"-2147483648", L"4194303 K"}));
  if (wide) {  // a 64-bit process's module above 4 GB, written whole
    EXPECT_EQ(ModuleRow({L"x", L"", 0x7FF6A1B20000ull, 0}).subItems[1], L"140697251479552");
  }
}

}  // namespace
}  // namespace k32
