// The match rule of the filter and the module search, and the search itself over a scripted system.
#include <gtest/gtest.h>

#include "common/find_text.h"
#include "system/fake_services.h"
#include "process/module_search.h"
#include "listview/row_filter.h"

namespace k32 {
namespace {

TEST(FindText, IgnoresCaseInEveryCasedScript) {
  EXPECT_TRUE(ContainsText(L"C:\\Windows\\System32\\NTDLL.dll", L"ntdll.DLL"));
  EXPECT_TRUE(ContainsText(L"x", L""));
  EXPECT_FALSE(ContainsText(L"kernel32", L"kernel33"));
  EXPECT_FALSE(ContainsText(L"k", L"kk"));
  // Accented, full-width, Greek, Cyrillic and Armenian capitals against their small letters.
  EXPECT_TRUE(ContainsText(L"\u00C9T\u0150", L"\u00E9t\u0151"));
  EXPECT_TRUE(ContainsText(L"\uFF21\uFF22", L"\uFF41\uFF42"));
  EXPECT_TRUE(ContainsText(L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC", L"\u03B5\u039B\u039B"));
  EXPECT_TRUE(ContainsText(L"\u0416\u0401", L"\u0436\u0451"));
  EXPECT_TRUE(ContainsText(L"\u0531", L"\u0561"));
  // Scripts without case match as they are; the sign \u00D7 is no capital.
  EXPECT_TRUE(ContainsText(L"\uD55C\uAE00\uCC3D.exe", L"\uAE00\uCC3D"));
  EXPECT_FALSE(ContainsText(L"\u00D7", L"\u00F7"));
}

TEST(RowFilter, LooksOnlyAtTheLeadingColumns) {
  const ListRow row{L"explorer.exe", {L"1234", L"8", L"21"}, 0, {}};
  EXPECT_TRUE(RowFilter(L"", 2)(row));
  EXPECT_TRUE(RowFilter(L"EXPLO", 2)(row));
  EXPECT_TRUE(RowFilter(L"23", 2)(row));
  EXPECT_FALSE(RowFilter(L"21", 2)(row));
  EXPECT_TRUE(RowFilter(L"21", 4)(row));
}

TEST(ModuleSearch, FindsNamesAndPathsInSlicesAndCountsUnreadableProcesses) {
  testing::FakeServices fake;
  fake.AddProcess(L"[System Process]", 0).AddProcess(L"a.exe", 8).AddProcess(L"C:\\x\\b.exe", 12);
  fake.AddProcess(L"locked.exe", 16).AddProcess(L"c.exe", 20);
  fake.AddModule(8, L"a.exe", L"C:\\a.exe", 0x400000, 4096)
      .AddModule(8, L"USER32.dll", L"C:\\W\\user32.dll", 1, 1);
  fake.AddModule(12, L"b.exe", L"C:\\x\\b.exe", 0x400000, 4096)
      .AddModule(12, L"u.dll", L"C:\\User32\\u.dll", 2, 1);
  fake.AddModule(20, L"c.exe", L"C:\\c.exe", 0x400000, 4096);

  ModuleSearch search(L"user32", fake.ProcessSnapshot());
  EXPECT_TRUE(search.Step(fake, 2));
  EXPECT_EQ(ModuleSearchStatus(search, 1), "已搜索 2 / 5 个进程，找到 1 个模块");
  std::vector<ModuleHit> hits = search.TakeHits();
  EXPECT_FALSE(search.Step(fake, 100));
  for (ModuleHit& hit : search.TakeHits()) hits.push_back(hit);
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(ModuleHitRow(hits[0]), (ListRow{L"a.exe", {L"8", L"USER32.dll", L"C:\\W\\user32.dll", L"1"}, 1, {}}));
  EXPECT_EQ(ModuleHitRow(hits[1]).caption, L"b.exe");
  EXPECT_EQ(search.Skipped(), 1u);  // locked.exe; the idle process has no modules to read
  EXPECT_EQ(ModuleSearchStatus(search, 2), "找到 2 个模块，1 个进程无法读取");
  EXPECT_EQ(fake.moduleSnapshots, (std::vector<std::uint32_t>{8, 12, 16, 20}));
}

}  // namespace
}  // namespace k32
