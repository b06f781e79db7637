// The match rule of the filter and the module search: a text contains another regardless of case,
// in any script that has case.
#pragma once

#include <string>
#include <string_view>

namespace k32 {

// The text with every upper-case letter of the common cased scripts in lower case: Latin (with its
// accented and full-width forms), Greek, Cyrillic and Armenian. Other characters stay as they are.
std::wstring FoldCase(std::wstring_view text);

// True when part occurs in text, character for character, ignoring case; an empty part is in every
// text.
bool ContainsText(std::wstring_view text, std::wstring_view part);

// The same for a part already folded by FoldCase (a filter folds its text once for all rows).
bool ContainsFolded(std::wstring_view text, std::wstring_view foldedPart);

}  // namespace k32
