// Rows of the window lists from a scripted desktop: texts, images, order and windows that close
// while they are being listed.
#include "window/window_rows.h"

#include <gtest/gtest.h>

#include "core/fake_services.h"
#include "core/list_row_support.h"

namespace k32 {
namespace {

using testing::FakeServices;

FakeServices Desktop() {
  FakeServices fake;
  fake.AddProcess("C:\\WINDOWS\\EXPLORER.EXE", 10);
  fake.AddProcess("C:\\工具\\嘰.exe", 20);
  fake.AddProcess("kestrel32.exe", 30);
  auto& progman = fake.AddWindow(0x100C4);
  progman.className = "Progman";
  progman.title = "Program Manager";
  progman.processId = 10;
  auto& closing = fake.AddWindow(0x100D0);
  closing.className = "Closing";
  closing.processId = 30;
  closing.vanishAfterEnumeration = true;
  auto& hidden = fake.AddWindow(0x200);
  hidden.className = "Hidden";
  hidden.visible = false;
  hidden.processId = 20;
  auto& orphan = fake.AddWindow(0x80000001u);
  orphan.className = std::string(120, 'C');
  orphan.title = std::string(300, 'T');
  orphan.processId = 99;  // ended before the lookup
  auto& child = fake.AddWindow(0x100C6, 0x100C4);
  child.className = "SHELLDLL_DefView";
  auto& grandchild = fake.AddWindow(0x100C8, 0x100C6);
  grandchild.className = "SysListView32";
  grandchild.title = "FolderView";
  grandchild.visible = false;
  auto& going = fake.AddWindow(0x100CA, 0x100C4);
  going.className = "Going";
  going.title = "soon gone";
  going.vanishAfterEnumeration = true;
  fake.AddWindow(0x100CC, 0x100C4).className = "Last";
  return fake;
}

TEST(TopLevelWindowRows, EveryLiveWindowInOrderWithItsOwnersFileName) {
  FakeServices fake = Desktop();
  const std::vector<ListRow> rows = TopLevelWindowRows(fake, fake.processes);
  const std::vector<ListRow> expected = {
      Row("65732", {"Progman", "Program Manager", "EXPLORER.EXE"}, kWindowImage),
      Row("512", {"Hidden", "", "嘰.exe"}, kHiddenWindowImage),
      Row("-2147483647", {std::string(99, 'C'), std::string(249, 'T'), ""}, kWindowImage),
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
  for (const ListRow& row : rows) EXPECT_EQ(row.subItems.at(2), "") << row.caption;
}

TEST(DescendantWindowRows, TheWholeTreeFlatWithChildImages) {
  FakeServices fake = Desktop();
  const std::vector<ListRow> expected = {
      Row("65734", {"SHELLDLL_DefView", ""}, kChildImage),
      Row("65736", {"SysListView32", "FolderView"}, kHiddenChildImage),
      Row("65738", {"", ""}, kHiddenChildImage),  // closed while listed: still a row, names empty
      Row("65740", {"Last", ""}, kChildImage),
  };
  EXPECT_EQ(DescendantWindowRows(fake, 0x100C4), expected);
  EXPECT_TRUE(DescendantWindowRows(fake, 0x200).empty());
  EXPECT_TRUE(DescendantWindowRows(fake, 0x12345).empty());
  EXPECT_EQ(fake.processSnapshots, 0);
}

TEST(ProcessNames, LooksUpPathsAndAnswersEmptyForUnknownProcesses) {
  const ProcessNames names({{"C:\\a.exe", 1, 0, 1}, {"b.exe", 2, 0, 1}, {"C:\\again.exe", 1, 0, 1}});
  EXPECT_EQ(names.GetPidExeName(2), "b.exe");
  EXPECT_EQ(names.GetPidExeName(1), "C:\\again.exe");  // the walk does not stop at the first match
  EXPECT_EQ(names.GetPidExeName(3), "");
  EXPECT_EQ(ProcessNames().GetPidExeName(0), "");
}

}  // namespace
}  // namespace k32
