// Between the program's own texts (its code page, 936) and the wide texts the system's names
// travel in.
#pragma once

#include <string>
#include <string_view>

namespace k32::gui {

// The program's text as wide text, where it meets a system name or a wide message.
std::wstring Wide(std::string_view text);
// Wide text in the program's code page, for the formats that demand it; a character the code page
// lacks becomes "?".
std::string Narrow(std::wstring_view text);

}  // namespace k32::gui
