#include <gtest/gtest.h>

#include <string>
#include <vector>

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
      {"可执行文件", "PID", "父级 PID", "线程", "优先级", "CPU", "CPU 时间", "私有字节", "工作集", "句柄", "用户名",
       "启动时间", "命令行", "描述", "公司", "映像路径"},
      {"模块名称", "路径", "句柄 (定位)", "大小"},
      {"句柄", "窗口种类", "窗口标题", "进程"},
      {"句柄", "窗口种类", "窗口标题"},
  };
  for (std::size_t i = 0; i < lists.size(); ++i)
    EXPECT_EQ(program.ColumnCaptions(lists[i]), expected[i]) << i;
}

// Both builds carry the same version; each names its own file, the 64-bit one says what it is.
TEST(MainWindowE2E, TheVersionResourceNamesThisBuild) {
  const std::string exe = ExeFolder() + kProgramExe;
  std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), nullptr));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  auto value = [&](const char* name) {
    char* text = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\080403a8\\") + name;
    return VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) && text
               ? std::string(text)
               : std::string();
  };
  EXPECT_EQ(value("OriginalFilename"), kProgramExe);
  EXPECT_EQ(value("ProductVersion"), "2.01");
  EXPECT_EQ(value("FileDescription").find("64 位") != std::string::npos, sizeof(void*) == 8);
}

}  // namespace k32::e2e
