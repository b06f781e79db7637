// The clipboard: plain text in the program's code page.
#pragma once

#include <windows.h>

#include <string>

namespace k32::gui {

// Replaces what the clipboard holds with the text as CF_TEXT (zero-terminated). Raises EGuiError
// when the clipboard cannot be opened or does not take the text.
void ClipboardSetText(HWND owner, const std::string& text);
// The same for wide text: as CF_UNICODETEXT, and as CF_TEXT in the program's code page (a
// character outside it becomes "?" there).
void ClipboardSetText(HWND owner, const std::wstring& text);

}  // namespace k32::gui
