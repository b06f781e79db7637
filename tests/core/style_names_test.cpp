#include "window/style_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace k32 {

using Names = std::vector<std::string_view>;

TEST(StyleNames, ZeroListsOnlyTheZeroMaskRows) {
  const DecodedStyles decoded = DecodeStyles(0, 0);
  EXPECT_EQ(decoded.styles, (Names{"WS_OVERLAPPED", "WS_TILED"}));
  EXPECT_EQ(decoded.extendedStyles, (Names{"WS_EX_LEFT", "WS_EX_LTRREADING", "WS_EX_RIGHTSCROLLBAR"}));
}

TEST(StyleNames, OverlappedWindowInTableOrderWithThickFrameTwice) {
  EXPECT_EQ(DecodeStyles(0x00CF0000, 0).styles,
            (Names{"WS_BORDER", "WS_DLGFRAME", "WS_GROUP", "WS_MAXIMIZEBOX", "WS_OVERLAPPED",
                   "WS_OVERLAPPEDWINDOW", "WS_SIZEBOX", "WS_SYSMENU", "WS_TABSTOP", "WS_THICKFRAME",
                   "WS_TILED", "WS_TILEDWINDOW", "WS_THICKFRAME"}));
}

TEST(StyleNames, SharedMasksListEveryRow) {
  EXPECT_EQ(DecodeStyles(0x40000000, 0).styles,
            (Names{"WS_CHILD", "WS_CHILDWINDOW", "WS_OVERLAPPED", "WS_TILED"}));
  // The minimise-box bit has no row of its own: it shows as WS_GROUP, and WS_MINIMIZE as WS_ICONIC.
  EXPECT_EQ(DecodeStyles(0x20020000, 0).styles,
            (Names{"WS_GROUP", "WS_ICONIC", "WS_OVERLAPPED", "WS_TILED"}));
}

TEST(StyleNames, CompositeMasksNeedEveryBit) {
  const auto hasName = [](const Names& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  EXPECT_TRUE(hasName(DecodeStyles(0x80880000, 0).styles, "WS_POPUPWINDOW"));
  for (std::uint32_t partial : {0x80800000u, 0x80080000u, 0x00880000u, 0x80000000u})
    EXPECT_FALSE(hasName(DecodeStyles(partial, 0).styles, "WS_POPUPWINDOW")) << std::hex << partial;
  // One bit short of the overlapped window: neither composite row, the single rows still match.
  const Names almost = DecodeStyles(0x00CE0000, 0).styles;
  EXPECT_FALSE(hasName(almost, "WS_OVERLAPPEDWINDOW"));
  EXPECT_FALSE(hasName(almost, "WS_TILEDWINDOW"));
  EXPECT_FALSE(hasName(almost, "WS_MAXIMIZEBOX"));
  EXPECT_TRUE(hasName(almost, "WS_SYSMENU"));

  EXPECT_EQ(DecodeStyles(0, 0x00000188).extendedStyles,
            (Names{"WS_EX_LEFT", "WS_EX_LTRREADING", "WS_EX_PALETTEWINDOW", "WS_EX_RIGHTSCROLLBAR",
                   "WS_EX_TOOLWINDOW", "WS_EX_TOPMOST", "WS_EX_WINDOWEDGE"}));
  EXPECT_FALSE(hasName(DecodeStyles(0, 0x00000180).extendedStyles, "WS_EX_PALETTEWINDOW"));
  EXPECT_FALSE(hasName(DecodeStyles(0, 0x00000200).extendedStyles, "WS_EX_OVERLAPPEDWINDOW"));
  EXPECT_TRUE(hasName(DecodeStyles(0, 0x00000300).extendedStyles, "WS_EX_OVERLAPPEDWINDOW"));
}

TEST(StyleNames, AllBitsListEveryRowOnceInOrder) {
  const DecodedStyles decoded = DecodeStyles(0xFFFFFFFF, 0xFFFFFFFF);
  EXPECT_EQ(
      decoded.styles,
      (Names{"WS_BORDER",      "WS_CHILD",       "WS_CHILDWINDOW", "WS_CLIPCHILDREN",     "WS_CLIPSIBLINGS",
             "WS_DISABLED",    "WS_DLGFRAME",    "WS_GROUP",       "WS_HSCROLL",          "WS_ICONIC",
             "WS_MAXIMIZE",    "WS_MAXIMIZEBOX", "WS_OVERLAPPED",  "WS_OVERLAPPEDWINDOW", "WS_POPUP",
             "WS_POPUPWINDOW", "WS_SIZEBOX",     "WS_SYSMENU",     "WS_TABSTOP",          "WS_THICKFRAME",
             "WS_TILED",       "WS_TILEDWINDOW", "WS_THICKFRAME",  "WS_VISIBLE",          "WS_VSCROLL"}));
  EXPECT_EQ(
      decoded.extendedStyles,
      (Names{"WS_EX_ACCEPTFILES",   "WS_EX_APPWINDOW",     "WS_EX_CLIENTEDGE",     "WS_EX_CONTEXTHELP",
             "WS_EX_CONTROLPARENT", "WS_EX_DLGMODALFRAME", "WS_EX_LEFT",           "WS_EX_LEFTSCROLLBAR",
             "WS_EX_LTRREADING",    "WS_EX_MDICHILD",      "WS_EX_NOPARENTNOTIFY", "WS_EX_OVERLAPPEDWINDOW",
             "WS_EX_PALETTEWINDOW", "WS_EX_RIGHT",         "WS_EX_RIGHTSCROLLBAR", "WS_EX_RTLREADING",
             "WS_EX_STATICEDGE",    "WS_EX_TOOLWINDOW",    "WS_EX_TOPMOST",        "WS_EX_TRANSPARENT",
             "WS_EX_WINDOWEDGE"}));
}

TEST(StyleNames, StyleAndExtendedStyleStayApart) {
  // The same bits mean different things in the two tables.
  const DecodedStyles decoded = DecodeStyles(0x00000010, 0x10000000);
  EXPECT_EQ(decoded.styles, (Names{"WS_OVERLAPPED", "WS_TILED"}));
  EXPECT_EQ(decoded.extendedStyles, (Names{"WS_EX_LEFT", "WS_EX_LTRREADING", "WS_EX_RIGHTSCROLLBAR"}));
  EXPECT_EQ(DecodeStyles(0x00000010, 0x00000010).extendedStyles,
            (Names{"WS_EX_ACCEPTFILES", "WS_EX_LEFT", "WS_EX_LTRREADING", "WS_EX_RIGHTSCROLLBAR"}));
}

}  // namespace k32
