// The extended list view styles as a set of named members, and the style bits each one sets.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace k32 {

enum TLVExtendedStyle : int {
  lvxGridLines = 0,
  lvxSubItemImages = 1,
  lvxCheckboxes = 2,
  lvxTrackSelect = 3,
  lvxHeaderDragDrop = 4,
  lvxFullRowSelect = 5,
  lvxOneClickActivate = 6,
  lvxTwoClickActivate = 7,
  lvxFlatScrollBar = 8,
  lvxInfoTip = 9,
  lvxUnderlineHot = 10,
  lvxUnderlineCold = 11,
  lvxLabelTip = 12,
};
inline constexpr int kExtendedStyleCount = 13;

class TLVExtendedStyles {
 public:
  constexpr TLVExtendedStyles() = default;
  constexpr TLVExtendedStyles(std::initializer_list<TLVExtendedStyle> members) {
    for (TLVExtendedStyle m : members) Include(m);
  }
  [[nodiscard]] constexpr bool Contains(TLVExtendedStyle m) const { return (members_ >> m) & 1u; }
  constexpr void Include(TLVExtendedStyle m) { members_ |= 1u << m; }
  constexpr void Exclude(TLVExtendedStyle m) { members_ &= ~(1u << m); }
  [[nodiscard]] constexpr bool Empty() const { return members_ == 0; }
  constexpr bool operator==(const TLVExtendedStyles&) const = default;

 private:
  std::uint32_t members_ = 0;
};

// The control's extended style value (LVS_EX_*) of a set.
std::uint32_t ExtendedStyleBits(TLVExtendedStyles styles);
// The set of a style value; bits without a member are dropped.
TLVExtendedStyles ExtendedStylesFromBits(std::uint32_t bits);
// Underlining hot or cold items needs an activation style: one click unless two clicks are asked for
// (and always one click for cold underlining).
TLVExtendedStyles WithUnderlineActivation(TLVExtendedStyles styles);

}  // namespace k32
