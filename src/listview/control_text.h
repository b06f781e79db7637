// Texts between the lists (code page 936) and the control's buffers of either character set.
#pragma once

#include <windows.h>

#include <string>

namespace k32 {

// A wide text of the control as the lists keep it; empty for null.
std::string NarrowText(const wchar_t* text);
// Copies text into a buffer of capacity characters with its terminating zero, cut to fit (never
// within a double-byte character); nothing when there is no room at all.
void CopyToBuffer(const std::string& text, char* buffer, int capacity);
void CopyToBuffer(const std::string& text, wchar_t* buffer, int capacity);

// DT_LEFT, DT_RIGHT or DT_CENTER for a column's format (LVCFMT_*).
UINT DrawTextAlignment(int columnFormat);

}  // namespace k32
