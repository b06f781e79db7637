// Rows of the window lists from a scripted desktop: texts, images, order and windows that close
// while they are being listed.
#include "window/window_rows.h"

#include <gtest/gtest.h>

#include "system/fake_services.h"
#include "core/list_row_support.h"

namespace k32 {
namespace {

using testing::FakeServices;

FakeServices Desktop() {
  FakeServices fake;
  fake.AddProcess(L"C:\\WINDOWS\\EXPLORER.EXE", 10);
  fake.AddProcess(L"C:\\工具\\嘰.exe", 20);
  fake.AddProcess(L"kestrel32.exe", 30);
  auto& progman = fake.AddWindow(0x100C4);
  progman.className = L"Progman";
  progman.title = L"Program Manager";
  progman.processId = 10;
  auto& closing = fake.AddWindow(0x100D0);
  closing.className = L"Closing";
  closing.processId = 30;
  closing.vanishAfterEnumeration = true;
  auto& hidden = fake.AddWindow(0x200);
  hidden.className = L"Hidden";
  hidden.visible = false;
  hidden.processId = 20;
  auto& orphan = fake.AddWindow(0x80000001u);
  orphan.className = std::wstring(120, 'C');
  orphan.title = std::wstring(300, 'T');
  orphan.processId = 99;  // ended before the lookup
  auto& child = fake.AddWindow(0x100C6, 0x100C4);
  child.className = L"SHELLDLL_DefView";
  auto& grandchild = fake.AddWindow(0x100C8, 0x100C6);
  grandchild.className = L"SysListView32";
  grandchild.title = L"FolderView";
  grandchild.visible = false;
  auto& going = fake.AddWindow(0x100CA, 0x100C4);
  going.className = L"Going";
  going.title = L"soon gone";
  going.vanishAfterEnumeration = true;
  fake.AddWindow(0x100CC, 0x100C4).className = L"Last";
  return fake;
}

TEST(TopLevelWindowRows, EveryLiveWindowInOrderWithItsOwnersFileName) {
  FakeServices fake = Desktop();
  const std::vector<ListRow> rows = TopLevelWindowRows(fake, fake.processes);
  const std::vector<ListRow> expected = {
      Row(L"65732", {L"Progman", L"Program Manager", L"EXPLORER.EXE"}, kWindowImage),
      Row(L"512", {L"Hidden", L"", L"嘰.exe"}, kHiddenWindowImage),
      Row(L"-2147483647", {std::wstring(99, 'C'), std::wstring(249, 'T'), L""}, kWindowImage),
  };
  EXPECT_EQ(rows, expected);
}

TEST(TopLevelWindowRows, AWindowClosingMidwaySkipsOnlyThatWindow) {
  FakeServices fake = Desktop();
  // The second window closes between the enumeration and its row; every later window is still
  // listed, and the closed one is not counted.
  ASSERT_EQ(TopLevelWindowRows(fake, fake.processes).size(), 3u);
  FakeServices empty;
  EXPECT_TRUE(TopLevelWindowRows(empty, {}).empty());

  WindowRowCollector collector(fake);
  const ProcessNames owners(fake.processes);
  EXPECT_FALSE(collector.AddWindowItem(0, owners));
  EXPECT_TRUE(collector.AddWindowItem(0x100D0, owners));  // gone by now
  EXPECT_TRUE(collector.rows.empty());
}

TEST(TopLevelWindowRows, AFailedSnapshotLeavesTheProcessCellsEmpty) {
  FakeServices fake = Desktop();
  const std::vector<ListRow> rows = TopLevelWindowRows(fake, {});
  ASSERT_EQ(rows.size(), 3u);
  for (const ListRow& row : rows) EXPECT_EQ(row.subItems.at(2), L"") << ::testing::PrintToString(row.caption);
}

TEST(DescendantWindowRows, TheWholeTreeFlatWithChildImages) {
  FakeServices fake = Desktop();
  const std::vector<ListRow> expected = {
      Row(L"65734", {L"SHELLDLL_DefView", L""}, kChildImage),
      Row(L"65736", {L"SysListView32", L"FolderView"}, kHiddenChildImage),
      Row(L"65738", {L"", L""}, kHiddenChildImage),  // closed while listed: still a row, names empty
      Row(L"65740", {L"Last", L""}, kChildImage),
  };
  EXPECT_EQ(DescendantWindowRows(fake, 0x100C4), expected);
  EXPECT_TRUE(DescendantWindowRows(fake, 0x200).empty());
  EXPECT_TRUE(DescendantWindowRows(fake, 0x12345).empty());
  EXPECT_EQ(fake.processSnapshots, 0);
}

TEST(ProcessNames, LooksUpPathsAndAnswersEmptyForUnknownProcesses) {
  const std::vector<ProcessEntry> snapshot{{L"C:\\a.exe", 1, 0, 1}, {L"b.exe", 2, 0, 1}, {L"C:\\again.exe", 1, 0, 1}};
  const ProcessNames names(snapshot);
  EXPECT_EQ(names.GetPidExeName(2), L"b.exe");
  EXPECT_EQ(names.GetPidExeName(1), L"C:\\again.exe");  // the walk does not stop at the first match
  EXPECT_EQ(names.GetPidExeName(3), L"");
  EXPECT_EQ(ProcessNames().GetPidExeName(0), L"");
}

}  // namespace
}  // namespace k32
