#include "window/style_names.h"

namespace k32 {

// The platform has no separate rows for WS_CAPTION, WS_MINIMIZE and WS_MINIMIZEBOX here: their bits
// show through the rows that share them.
const std::array<StyleName, 25> kWindowStyleNames = {{
    {"WS_BORDER", 0x00800000},
    {"WS_CHILD", 0x40000000},
    {"WS_CHILDWINDOW", 0x40000000},
    {"WS_CLIPCHILDREN", 0x02000000},
    {"WS_CLIPSIBLINGS", 0x04000000},
    {"WS_DISABLED", 0x08000000},
    {"WS_DLGFRAME", 0x00400000},
    {"WS_GROUP", 0x00020000},
    {"WS_HSCROLL", 0x00100000},
    {"WS_ICONIC", 0x20000000},
    {"WS_MAXIMIZE", 0x01000000},
    {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_OVERLAPPED", 0},
    {"WS_OVERLAPPEDWINDOW", 0x00CF0000},
    {"WS_POPUP", 0x80000000},
    {"WS_POPUPWINDOW", 0x80880000},
    {"WS_SIZEBOX", 0x00040000},
    {"WS_SYSMENU", 0x00080000},
    {"WS_TABSTOP", 0x00010000},
    {"WS_THICKFRAME", 0x00040000},
    {"WS_TILED", 0},
    {"WS_TILEDWINDOW", 0x00CF0000},
    {"WS_THICKFRAME", 0x00040000},
    {"WS_VISIBLE", 0x10000000},
    {"WS_VSCROLL", 0x00200000},
}};

const std::array<StyleName, 21> kExtendedStyleNames = {{
    {"WS_EX_ACCEPTFILES", 0x00000010},
    {"WS_EX_APPWINDOW", 0x00040000},
    {"WS_EX_CLIENTEDGE", 0x00000200},
    {"WS_EX_CONTEXTHELP", 0x00000400},
    {"WS_EX_CONTROLPARENT", 0x00010000},
    {"WS_EX_DLGMODALFRAME", 0x00000001},
    {"WS_EX_LEFT", 0},
    {"WS_EX_LEFTSCROLLBAR", 0x00004000},
    {"WS_EX_LTRREADING", 0},
    {"WS_EX_MDICHILD", 0x00000040},
    {"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {"WS_EX_OVERLAPPEDWINDOW", 0x00000300},
    {"WS_EX_PALETTEWINDOW", 0x00000188},
    {"WS_EX_RIGHT", 0x00001000},
    {"WS_EX_RIGHTSCROLLBAR", 0},
    {"WS_EX_RTLREADING", 0x00002000},
    {"WS_EX_STATICEDGE", 0x00020000},
    {"WS_EX_TOOLWINDOW", 0x00000080},
    {"WS_EX_TOPMOST", 0x00000008},
    {"WS_EX_TRANSPARENT", 0x00000020},
    {"WS_EX_WINDOWEDGE", 0x00000100},
}};

std::vector<std::string_view> MatchingStyleNames(std::span<const StyleName> table, std::uint32_t value) {
  std::vector<std::string_view> names;
  for (const StyleName& row : table)
    if ((value & row.mask) == row.mask) names.push_back(row.name);
  return names;
}

DecodedStyles DecodeStyles(std::uint32_t style, std::uint32_t extendedStyle) {
  return {MatchingStyleNames(kWindowStyleNames, style),
          MatchingStyleNames(kExtendedStyleNames, extendedStyle)};
}

}  // namespace k32
