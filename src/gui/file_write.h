// Writing a whole file at once.
#pragma once

#include <string>
#include <string_view>

namespace k32::gui {

// Creates the file (or empties it) and writes the bytes; raises EGuiError naming the file when it
// cannot be created or written.
void WriteWholeFile(const std::wstring& fileName, std::string_view bytes);

}  // namespace k32::gui
