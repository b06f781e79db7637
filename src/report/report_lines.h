// Line handling between the report text (line feeds) and the window's control (CR LF).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace k32 {

// The lines of a text: a line feed, a carriage return, or the two together end a line; an ending
// at the very end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);
std::vector<std::wstring_view> SplitLines(std::wstring_view text);
// Every line ended by a carriage return and a line feed, the last one included.
std::string WithCrLf(std::string_view text);
std::wstring WithCrLf(std::wstring_view text);

}  // namespace k32
