#include "window/window_properties.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "system/fake_services.h"

namespace k32 {

using Names = std::vector<std::string_view>;

TEST(WindowProperties, EveryFieldFromItsOwnQueryInSignedDecimal) {
  testing::FakeServices services;
  auto& window = services.AddWindow(0x000100C4);
  window.className = L"Notepad";
  window.title = L"无标题 - 记事本";
  window.rect = ScreenRect{-32000, -31990, -31840, -31960};  // a minimised window's parked place
  window.instance = 0x00400000;
  window.parentLong = static_cast<std::int32_t>(0x80000010u);
  window.style = 0x00CF0000;
  window.exStyle = 0x00000300;

  const WindowPropertyTexts texts = ReadWindowProperties(services, 0x000100C4);
  EXPECT_EQ(texts.handle, "65732");
  EXPECT_EQ(texts.className, L"Notepad");
  EXPECT_EQ(texts.title, L"无标题 - 记事本");
  EXPECT_EQ(texts.left, "-32000");
  EXPECT_EQ(texts.top, "-31990");
  EXPECT_EQ(texts.width, "160");
  EXPECT_EQ(texts.height, "30");
  EXPECT_EQ(texts.instance, "4194304");
  EXPECT_EQ(texts.parent, "-2147483632");
  EXPECT_EQ(texts.styles.styles,
            (Names{"WS_BORDER", "WS_DLGFRAME", "WS_GROUP", "WS_MAXIMIZEBOX", "WS_OVERLAPPED",
                   "WS_OVERLAPPEDWINDOW", "WS_SIZEBOX", "WS_SYSMENU", "WS_TABSTOP", "WS_THICKFRAME",
                   "WS_TILED", "WS_TILEDWINDOW", "WS_THICKFRAME"}));
  EXPECT_EQ(texts.styles.extendedStyles,
            (Names{"WS_EX_CLIENTEDGE", "WS_EX_LEFT", "WS_EX_LTRREADING", "WS_EX_OVERLAPPEDWINDOW",
                   "WS_EX_RIGHTSCROLLBAR", "WS_EX_WINDOWEDGE"}));
}

TEST(WindowProperties, AFailingRectangleGivesDashesAndTheRestStays) {
  testing::FakeServices services;
  auto& window = services.AddWindow(0x80000002u);
  window.className = L"Button";
  window.rect.reset();
  window.style = 0x40000000;

  const WindowPropertyTexts texts = ReadWindowProperties(services, 0x80000002u);
  EXPECT_EQ(texts.handle, "-2147483646");
  EXPECT_EQ(texts.left, "---");
  EXPECT_EQ(texts.top, "---");
  EXPECT_EQ(texts.width, "---");
  EXPECT_EQ(texts.height, "---");
  EXPECT_EQ(texts.className, L"Button");
  EXPECT_EQ(texts.parent, "0");
  EXPECT_EQ(texts.styles.styles, (Names{"WS_CHILD", "WS_CHILDWINDOW", "WS_OVERLAPPED", "WS_TILED"}));
}

TEST(WindowProperties, ExtremeRectanglesWrapInsteadOfOverflowing) {
  testing::FakeServices services;
  services.AddWindow(7).rect = ScreenRect{INT32_MIN, INT32_MIN, INT32_MAX, 0};
  const WindowPropertyTexts texts = ReadWindowProperties(services, 7);
  EXPECT_EQ(texts.left, "-2147483648");
  EXPECT_EQ(texts.width, "-1");  // 2^32 - 1 wide, read back as signed
  EXPECT_EQ(texts.height, "-2147483648");
}

}  // namespace k32
