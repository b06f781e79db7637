#include "common/find_text.h"

namespace k32 {

namespace {

// The lower-case form of one UTF-16 unit; a unit without one is returned as it is.
wchar_t FoldUnit(wchar_t c) {
  const auto in = [c](unsigned first, unsigned last) {
    return static_cast<unsigned>(c) >= first && static_cast<unsigned>(c) <= last;
  };
  const auto shifted = [c](unsigned by) { return static_cast<wchar_t>(c + by); };
  const bool even = c % 2 == 0;
  if (in(L'A', L'Z')) return shifted(0x20);
  if (c < 0xC0) return c;
  if (in(0xC0, 0xDE) && c != 0xD7) return shifted(0x20);  // Latin-1 letters, not the sign ×
  // Latin Extended-A: pairs with the capital first, even or odd by stretch.
  if ((in(0x100, 0x12F) || in(0x132, 0x137) || in(0x14A, 0x177)) && even) return shifted(1);
  if ((in(0x139, 0x148) || in(0x179, 0x17E)) && !even) return shifted(1);
  if (c == 0x178) return 0xFF;
  if (c == 0x386) return 0x3AC;  // Greek with tonos
  if (in(0x388, 0x38A)) return shifted(0x25);
  if (c == 0x38C) return 0x3CC;
  if (in(0x38E, 0x38F)) return shifted(0x3F);
  if (in(0x391, 0x3AB) && c != 0x3A2) return shifted(0x20);
  if (in(0x400, 0x40F)) return shifted(0x50);  // Cyrillic
  if (in(0x410, 0x42F)) return shifted(0x20);
  if ((in(0x460, 0x481) || in(0x48A, 0x4BF) || in(0x4D0, 0x52F)) && even) return shifted(1);
  if (in(0x531, 0x556)) return shifted(0x30);  // Armenian
  if (in(0x1E00, 0x1E95) && even) return shifted(1);  // Latin Extended Additional (Vietnamese)
  if (in(0x1EA0, 0x1EFF) && even) return shifted(1);
  if (in(0xFF21, 0xFF3A)) return shifted(0x20);  // full-width Latin
  return c;
}

}  // namespace

std::wstring FoldCase(std::wstring_view text) {
  std::wstring folded(text);
  for (wchar_t& c : folded) c = FoldUnit(c);
  return folded;
}

bool ContainsFolded(std::wstring_view text, std::wstring_view foldedPart) {
  if (foldedPart.empty()) return true;
  if (foldedPart.size() > text.size()) return false;
  return FoldCase(text).find(foldedPart) != std::wstring::npos;
}

bool ContainsText(std::wstring_view text, std::wstring_view part) { return ContainsFolded(text, FoldCase(part)); }

}  // namespace k32
