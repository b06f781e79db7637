// The clipboard: plain text in the program's code page.
#pragma once

#include <windows.h>

#include <string>

namespace k32::gui {

// Replaces what the clipboard holds with the text as CF_TEXT (zero-terminated). Raises EGuiError
// when the clipboard cannot be opened or does not take the text.
void ClipboardSetText(HWND owner, const std::string& text);

}  // namespace k32::gui
