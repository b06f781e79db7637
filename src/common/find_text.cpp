#include "common/find_text.h"

#include "common/text.h"

namespace k32 {

namespace {

// Lower-case ranges of the double-byte letters: lead byte, first and last upper-case trail byte, and
// the distance to their lower-case forms.
struct CaseRange {
  unsigned char lead, first, last, offset;
};
constexpr CaseRange kDoubleByteCases[] = {
    {0xA3, 0xC1, 0xDA, 0x20},  // full-width Latin
    {0xA6, 0xA1, 0xB8, 0x20},  // Greek
    {0xA7, 0xA1, 0xC1, 0x30},  // Cyrillic
};

unsigned char FoldTrail(unsigned char lead, unsigned char trail) {
  for (const CaseRange& range : kDoubleByteCases)
    if (lead == range.lead && trail >= range.first && trail <= range.last)
      return static_cast<unsigned char>(trail + range.offset);
  return trail;
}

}  // namespace

std::string FoldCase936(std::string_view text) {
  std::string folded(text);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto c = static_cast<unsigned char>(folded[i]);
    if (IsLeadByte936(c) && i + 1 < folded.size()) {
      folded[i + 1] = static_cast<char>(FoldTrail(c, static_cast<unsigned char>(folded[i + 1])));
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      folded[i] = static_cast<char>(c + ('a' - 'A'));
    }
  }
  return folded;
}

bool ContainsFolded(std::string_view text, std::string_view foldedPart) {
  if (foldedPart.empty()) return true;
  if (foldedPart.size() > text.size()) return false;
  const std::string folded = FoldCase936(text);
  // Only starts on a character boundary count; a match may not begin on a trail byte.
  for (std::size_t i = 0; i + foldedPart.size() <= folded.size(); ++i) {
    if (folded.compare(i, foldedPart.size(), foldedPart) == 0) return true;
    if (IsLeadByte936(static_cast<unsigned char>(folded[i]))) ++i;
  }
  return false;
}

bool ContainsText(std::string_view text, std::string_view part) {
  return ContainsFolded(text, FoldCase936(part));
}

}  // namespace k32
