// The user's regional values for the column sort, read from the system at first use and again
// whenever the system announces changed settings, and the user's collation of two texts.
#pragma once

#include <string_view>

#include "listview/sort_locale.h"

namespace k32 {

// The values as last read, with the current year of this moment.
SortLocale UserSortLocale();
// Reads the values again (done by itself on WM_SETTINGCHANGE).
void ReloadUserSortLocale();
// How many times the values have been read.
int UserSortLocaleReads();

// CompareString of the user's locale, no flags, both texts whole: -1, 0 or +1; 0 when it fails. A
// text of the code page compares as its wide form does.
int CompareLocaleText(std::wstring_view a, std::wstring_view b);

// Whether text begins with, or contains, part, compared in the user's locale without regard to case.
bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view part);
bool ContainsIgnoringCase(std::wstring_view text, std::wstring_view part);

}  // namespace k32
