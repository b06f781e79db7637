// What the list view tests share: a header click as the mouse gives it, and a column's texts.
#pragma once

#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <string>
#include <vector>

#include "gui/listview.h"
#include "gui/wide_text.h"
#include "win/win_test_support.h"

namespace k32::testing {

// A left click in the middle of a header item.
inline void ClickHeader(HWND header, int column) {
  RECT item{};
  SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(header, WM_LBUTTONUP, 0, at);
  Pump();
}

// A column's texts in the program's code page, rows in the order shown.
inline std::vector<std::string> ColumnTexts(const gui::TListView& list, int column) {
  std::vector<std::string> texts;
  for (int i = 0; i < list.Count(); ++i) texts.push_back(gui::Narrow(list.Item(i)->Text(column)));
  return texts;
}

}  // namespace k32::testing
