// Window style and extended style values decoded into the platform's style names.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace k32 {

struct StyleName {
  std::string_view name;
  std::uint32_t mask;  // listed when every bit of it is set; 0 always matches
};

// Tested, and listed, in this order. Several rows share a mask, and "WS_THICKFRAME" stands twice.
extern const std::array<StyleName, 25> kWindowStyleNames;
extern const std::array<StyleName, 21> kExtendedStyleNames;

// The names of the rows whose whole mask is set in value, in table order, once per matching row.
std::vector<std::string_view> MatchingStyleNames(std::span<const StyleName> table, std::uint32_t value);

struct DecodedStyles {
  std::vector<std::string_view> styles;
  std::vector<std::string_view> extendedStyles;
};

// GWL_STYLE and GWL_EXSTYLE values as the window properties list them.
DecodedStyles DecodeStyles(std::uint32_t style, std::uint32_t extendedStyle);

}  // namespace k32
