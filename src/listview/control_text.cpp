#include "listview/control_text.h"

#include <commctrl.h>

#include <algorithm>

#include "common/text.h"
#include "gui/wide_text.h"
#include "listview/list_view_text.h"

namespace k32 {

std::string NarrowText(const wchar_t* text) {
  if (!text) return {};
  const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), length, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(length - 1));
  return narrow;
}

void CopyToBuffer(const std::string& text, char* buffer, int capacity) {
  if (!buffer || capacity <= 0) return;
  const std::string fitted = FitInfoTip({}, text, false, capacity);
  std::copy(fitted.begin(), fitted.end(), buffer);
  buffer[fitted.size()] = '\0';
}

void CopyToBuffer(const std::string& text, wchar_t* buffer, int capacity) {
  if (!buffer || capacity <= 0) return;
  // Converted whole, then cut: the conversion into a buffer too small gives nothing at all.
  const std::wstring wide = gui::Wide(text);
  const std::wstring_view fitted = CutAtCharacter(wide, static_cast<std::size_t>(capacity - 1));
  fitted.copy(buffer, fitted.size());
  buffer[fitted.size()] = L'\0';
}

UINT DrawTextAlignment(int columnFormat) {
  switch (columnFormat & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
      return DT_RIGHT;
    case LVCFMT_CENTER:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

}  // namespace k32
