#include <gtest/gtest.h>

#include "e2e/driver.h"

namespace k32::e2e {

TEST(MainWindowE2E, OpensAtItsPlaceWithBothPagesAndTheirColumns) {
  Program program;
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  RECT rect{};
  GetWindowRect(main, &rect);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 10);
  EXPECT_EQ(rect.right - rect.left, 642);
  EXPECT_EQ(rect.bottom - rect.top, 455);

  const auto lists = program.ListViews();
  ASSERT_EQ(lists.size(), 4u);
  const std::vector<std::vector<std::string>> expected = {
      {"可执行文件", "PID", "父级 PID", "线程", "优先级"},
      {"模块名称", "路径", "句柄 (定位)", "大小"},
      {"句柄", "窗口种类", "窗口标题", "进程"},
      {"句柄", "窗口种类", "窗口标题"},
  };
  for (std::size_t i = 0; i < lists.size(); ++i)
    EXPECT_EQ(program.ColumnCaptions(lists[i]), expected[i]) << i;
}

}  // namespace k32::e2e
