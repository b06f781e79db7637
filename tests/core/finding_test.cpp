// The match rule of the filter and the module search, and the search itself over a scripted system.
#include <gtest/gtest.h>

#include "common/find_text.h"
#include "core/fake_services.h"
#include "process/module_search.h"
#include "process/row_filter.h"

namespace k32 {
namespace {

TEST(FindText, IgnoresCaseInEveryScriptButNeverMatchesInsideACharacter) {
  EXPECT_TRUE(ContainsText("C:\\Windows\\System32\\NTDLL.dll", "ntdll.DLL"));
  EXPECT_TRUE(ContainsText("x", ""));
  EXPECT_FALSE(ContainsText("kernel32", "kernel33"));
  EXPECT_FALSE(ContainsText("k", "kk"));
  // Full-width Latin, Greek and Cyrillic capitals against their small letters.
  EXPECT_TRUE(ContainsText("\xA3\xC1\xA3\xC2", "\xA3\xE1\xA3\xE2"));
  EXPECT_TRUE(ContainsText("\xA6\xA1", "\xA6\xC1"));
  EXPECT_TRUE(ContainsText("\xA7\xA5", "\xA7\xD5"));
  EXPECT_TRUE(ContainsText("\xC8\xCE\xCE\xF1.exe", "\xCE\xF1"));  // a Chinese name
  // The trail byte 0x41 of a double-byte character is neither "A" nor "a", nor folded.
  EXPECT_FALSE(ContainsText("\x81\x41", "a"));
  EXPECT_FALSE(ContainsText("\x81\x41", "A"));
  EXPECT_EQ(FoldCase936("\x81\x41Z"), "\x81\x41z");
  // A match starts on a character, not on the trail byte of the one before.
  EXPECT_FALSE(ContainsText("\xB0\xA1\xA1", "\xA1\xA1"));
}

TEST(RowFilter, LooksOnlyAtTheLeadingColumns) {
  const ListRow row{"explorer.exe", {"1234", "8", "21"}};
  EXPECT_TRUE(RowFilter("", 2)(row));
  EXPECT_TRUE(RowFilter("EXPLO", 2)(row));
  EXPECT_TRUE(RowFilter("23", 2)(row));
  EXPECT_FALSE(RowFilter("21", 2)(row));
  EXPECT_TRUE(RowFilter("21", 4)(row));
}

TEST(ModuleSearch, FindsNamesAndPathsInSlicesAndCountsUnreadableProcesses) {
  testing::FakeServices fake;
  fake.AddProcess("[System Process]", 0).AddProcess("a.exe", 8).AddProcess("C:\\x\\b.exe", 12);
  fake.AddProcess("locked.exe", 16).AddProcess("c.exe", 20);
  fake.AddModule(8, "a.exe", "C:\\a.exe", 0x400000, 4096)
      .AddModule(8, "USER32.dll", "C:\\W\\user32.dll", 1, 1);
  fake.AddModule(12, "b.exe", "C:\\x\\b.exe", 0x400000, 4096)
      .AddModule(12, "u.dll", "C:\\User32\\u.dll", 2, 1);
  fake.AddModule(20, "c.exe", "C:\\c.exe", 0x400000, 4096);

  ModuleSearch search("user32", fake.ProcessSnapshot());
  EXPECT_TRUE(search.Step(fake, 2));
  EXPECT_EQ(ModuleSearchStatus(search, 1), "已搜索 2 / 5 个进程，找到 1 个模块");
  std::vector<ModuleHit> hits = search.TakeHits();
  EXPECT_FALSE(search.Step(fake, 100));
  for (ModuleHit& hit : search.TakeHits()) hits.push_back(hit);
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(ModuleHitRow(hits[0]), (ListRow{"a.exe", {"8", "USER32.dll", "C:\\W\\user32.dll", "1"}, 1}));
  EXPECT_EQ(ModuleHitRow(hits[1]).caption, "b.exe");
  EXPECT_EQ(search.Skipped(), 1u);  // locked.exe; the idle process has no modules to read
  EXPECT_EQ(ModuleSearchStatus(search, 2), "找到 2 个模块，1 个进程无法读取");
  EXPECT_EQ(fake.moduleSnapshots, (std::vector<std::uint32_t>{8, 12, 16, 20}));
}

}  // namespace
}  // namespace k32
