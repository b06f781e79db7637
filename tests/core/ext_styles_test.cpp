#include "listview/ext_styles.h"

#include <gtest/gtest.h>

namespace k32 {
namespace {

TEST(ExtendedStyles, TheFourListsSendTheirValue) {
  const TLVExtendedStyles lists{lvxGridLines, lvxHeaderDragDrop, lvxFullRowSelect, lvxInfoTip};
  EXPECT_EQ(ExtendedStyleBits(lists), 0x431u);
  EXPECT_EQ(ExtendedStylesFromBits(0x431), lists);
}

TEST(ExtendedStyles, EveryMemberHasItsOwnBitAndBackAgain) {
  const std::uint32_t bits[] = {0x1,  0x2,   0x4,   0x8,   0x10,   0x20,  0x40,
                                0x80, 0x100, 0x400, 0x800, 0x1000, 0x4000};
  for (int m = 0; m < kExtendedStyleCount; ++m) {
    const TLVExtendedStyles one{static_cast<TLVExtendedStyle>(m)};
    EXPECT_EQ(ExtendedStyleBits(one), bits[m]) << m;
    EXPECT_EQ(ExtendedStylesFromBits(bits[m]), one) << m;
  }
}

TEST(ExtendedStyles, BitsWithoutAMemberAreDropped) {
  // LVS_EX_REGIONAL and the higher styles have no member.
  EXPECT_TRUE(ExtendedStylesFromBits(0x200 | 0x2000 | 0x10000).Empty());
  EXPECT_EQ(ExtendedStylesFromBits(0x201), TLVExtendedStyles{lvxGridLines});
}

TEST(ExtendedStyles, UnderliningAddsOneClickActivationWhereNeeded) {
  EXPECT_EQ(WithUnderlineActivation({lvxUnderlineCold}),
            (TLVExtendedStyles{lvxOneClickActivate, lvxUnderlineCold}));
  EXPECT_EQ(WithUnderlineActivation({lvxUnderlineHot}),
            (TLVExtendedStyles{lvxOneClickActivate, lvxUnderlineHot}));
  EXPECT_EQ(WithUnderlineActivation({lvxUnderlineHot, lvxTwoClickActivate}),
            (TLVExtendedStyles{lvxUnderlineHot, lvxTwoClickActivate}));
  // Cold underlining takes one-click activation even beside two-click activation.
  EXPECT_EQ(WithUnderlineActivation({lvxUnderlineCold, lvxTwoClickActivate}),
            (TLVExtendedStyles{lvxUnderlineCold, lvxTwoClickActivate, lvxOneClickActivate}));
  EXPECT_EQ(WithUnderlineActivation({lvxGridLines, lvxTwoClickActivate}),
            (TLVExtendedStyles{lvxGridLines, lvxTwoClickActivate}));
}

}  // namespace
}  // namespace k32
