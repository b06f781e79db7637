#include "listview/ext_styles.h"

namespace k32 {

namespace {
// LVS_EX_* by member ordinal; LVS_EX_REGIONAL (0x200) has no member.
constexpr std::uint32_t kBits[kExtendedStyleCount] = {0x1,  0x2,   0x4,   0x8,   0x10,   0x20,  0x40,
                                                      0x80, 0x100, 0x400, 0x800, 0x1000, 0x4000};
}  // namespace

std::uint32_t ExtendedStyleBits(TLVExtendedStyles styles) {
  std::uint32_t bits = 0;
  for (int m = 0; m < kExtendedStyleCount; ++m)
    if (styles.Contains(static_cast<TLVExtendedStyle>(m))) bits |= kBits[m];
  return bits;
}

TLVExtendedStyles ExtendedStylesFromBits(std::uint32_t bits) {
  TLVExtendedStyles styles;
  for (int m = 0; m < kExtendedStyleCount; ++m)
    if (bits & kBits[m]) styles.Include(static_cast<TLVExtendedStyle>(m));
  return styles;
}

TLVExtendedStyles WithUnderlineActivation(TLVExtendedStyles styles) {
  if (!styles.Contains(lvxUnderlineHot) && !styles.Contains(lvxUnderlineCold)) return styles;
  if (styles.Contains(lvxUnderlineCold) && !styles.Contains(lvxOneClickActivate))
    styles.Include(lvxOneClickActivate);
  if (styles.Contains(lvxUnderlineHot) && !styles.Contains(lvxOneClickActivate) &&
      !styles.Contains(lvxTwoClickActivate))
    styles.Include(lvxOneClickActivate);
  return styles;
}

}  // namespace k32
