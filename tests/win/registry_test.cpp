// The registry accessor against the real registry: key paths, value types and sizes, its messages.
#include "gui/registry.h"

#include <gtest/gtest.h>

#include <functional>

#include "gui/error.h"
#include "win/registry_sandbox.h"

namespace k32 {
namespace {

constexpr char kBase[] = "Software\\Registry accessor test";

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const gui::EGuiError& error) {
    return error.what();
  }
  return "(no error)";
}

class RegistryAccessor : public ::testing::Test {
 protected:
  void SetUp() override { testing::DeleteKeyTree(kBase); }
  void TearDown() override { testing::DeleteKeyTree(kBase); }
};

TEST_F(RegistryAccessor, OpensFromTheRootOrTheOpenKeyAndCreatesOnlyWhenAsked) {
  gui::TRegistry registry(HKEY_CURRENT_USER);
  EXPECT_FALSE(registry.OpenKey("\\Software\\Registry accessor test\\A", false));
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_FALSE(testing::KeyExists(std::string(kBase) + "\\A"));

  ASSERT_TRUE(registry.OpenKey("\\Software\\Registry accessor test\\A\\", true));
  EXPECT_EQ(registry.CurrentPath(), "Software\\Registry accessor test\\A");
  // Relative to the open key.
  ASSERT_TRUE(registry.OpenKey("B", true));
  EXPECT_EQ(registry.CurrentPath(), "Software\\Registry accessor test\\A\\B");
  EXPECT_TRUE(testing::KeyExists(std::string(kBase) + "\\A\\B"));
  registry.WriteInteger("n", -7);
  // Absolute again, whatever is open.
  ASSERT_TRUE(registry.OpenKey("\\Software\\Registry accessor test\\A\\B", false));
  EXPECT_EQ(registry.ReadInteger("n"), -7);

  // A failed open leaves no key open: the next read fails instead of reading the old key.
  EXPECT_FALSE(registry.OpenKey("\\Software\\Registry accessor test\\missing", false));
  EXPECT_EQ(ErrorOf([&] { (void)registry.ReadInteger("n"); }), "无法获取 'n' 的数据");
  EXPECT_EQ(ErrorOf([&] { registry.WriteInteger("n", 1); }), "无法设置 'n' 的数据");
}

TEST_F(RegistryAccessor, ReadsIntegersOnlyFromFourByteDwords) {
  const std::string key = std::string(kBase) + "\\Values";
  const std::uint32_t four = 0x01020304;
  const std::uint16_t two = 5;
  testing::SetDword(key, "dword", 0xFFFFFFFE);
  testing::SetRaw(key, "binary4", REG_BINARY, &four, 4);
  testing::SetRaw(key, "shortDword", REG_DWORD, &two, 2);
  testing::SetString(key, "text3", "abc");   // 4 bytes with its NUL
  testing::SetString(key, "text4", "abcd");  // 5 bytes
  testing::SetRaw(key, "binary8", REG_BINARY, "12345678", 8);

  gui::TRegistry registry(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey("\\" + key, false));
  EXPECT_EQ(registry.ReadInteger("dword"), -2);
  EXPECT_TRUE(registry.ReadBool("dword"));
  EXPECT_EQ(ErrorOf([&] { (void)registry.ReadInteger("missing"); }), "无法获取 'missing' 的数据");
  EXPECT_EQ(ErrorOf([&] { (void)registry.ReadInteger("binary4"); }), "'binary4' 的数据类型无效");
  EXPECT_EQ(ErrorOf([&] { (void)registry.ReadInteger("shortDword"); }), "'shortDword' 的数据类型无效");
  EXPECT_EQ(ErrorOf([&] { (void)registry.ReadInteger("text3"); }), "'text3' 的数据类型无效");
  EXPECT_EQ(ErrorOf([&] { (void)registry.ReadInteger("text4"); }), "无法获取 'text4' 的数据");
  EXPECT_EQ(ErrorOf([&] { (void)registry.ReadInteger("binary8"); }), "无法获取 'binary8' 的数据");
}

TEST_F(RegistryAccessor, ReadsAndWritesTextsAndRefusesOtherTypes) {
  const std::string key = std::string(kBase) + "\\Texts";
  testing::SetRaw(key, "unterminated", REG_SZ, "0,1", 3);
  testing::SetRaw(key, "embedded", REG_SZ, "1,2\0junk", 9);
  testing::SetDword(key, "dword", 1);
  gui::TRegistry registry(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey("\\" + key, false));
  EXPECT_EQ(registry.ReadString("unterminated"), "0,1");
  EXPECT_EQ(registry.ReadString("embedded"), "1,2");
  EXPECT_EQ(registry.ReadString("missing"), "");
  EXPECT_EQ(ErrorOf([&] { (void)registry.ReadString("dword"); }), "'dword' 的数据类型无效");

  const std::string chinese = "进程,120";
  registry.WriteString("written", chinese);
  registry.WriteString("long", std::string(5000, 'x'));
  const auto stored = testing::GetValue(key, "written");
  EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored.Text(), chinese);
  EXPECT_EQ(registry.ReadString("written"), chinese);
  EXPECT_EQ(registry.ReadString("long").size(), 5000u);

  // A key opened for reading only cannot be written.
  gui::TRegistry reader(HKEY_CURRENT_USER, KEY_READ);
  ASSERT_TRUE(reader.OpenKey("\\" + key, false));
  EXPECT_EQ(ErrorOf([&] { reader.WriteString("written", "x"); }), "无法设置 'written' 的数据");
  EXPECT_EQ(ErrorOf([&] { reader.WriteInteger("n", 1); }), "无法设置 'n' 的数据");
  EXPECT_EQ(registry.ReadString("written"), chinese);
}

}  // namespace
}  // namespace k32
