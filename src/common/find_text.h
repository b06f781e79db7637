// The match rule of the filter and the module search: a text contains another regardless of case,
// in any script that has case, read as code page 936.
#pragma once

#include <string>
#include <string_view>

namespace k32 {

// The text with every letter that has case in lower case: ASCII, and the full-width Latin, Greek
// and Cyrillic letters of code page 936. Trail bytes are never changed.
std::string FoldCase936(std::string_view text);

// True when part occurs in text, character for character, ignoring case; an empty part is in every
// text. A part never matches across the two bytes of a double-byte character.
bool ContainsText(std::string_view text, std::string_view part);

// The same for a part already folded by FoldCase936 (a filter folds its text once for all rows).
bool ContainsFolded(std::string_view text, std::string_view foldedPart);

}  // namespace k32
