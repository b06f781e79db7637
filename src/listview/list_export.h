// What a list shows, taken out of it: a row for the clipboard, the whole list as CSV.
#pragma once

#include <string>
#include <vector>

#include "listview/enh_list_view.h"

namespace k32 {

// The columns the list shows, from left to right.
std::vector<int> ShownColumns(TCustomEnhListView& list);
// The row's shown cells in the order they show, separated by tabs.
std::wstring ShownRowText(TCustomEnhListView& list, const gui::TListItem& row);
// The shown columns' captions, then every row but those marked gone, as CSV in UTF-8 with its
// byte-order mark.
std::string ListCsv(TCustomEnhListView& list);

}  // namespace k32
