#include <gtest/gtest.h>

#include <string>

#include "tray/tooltip.h"

namespace k32 {

TEST(TrayToolTip, KeepsAtMost62BytesCutNotRefused) {
  EXPECT_EQ(CutToolTip(""), "");
  EXPECT_EQ(CutToolTip("Kestrel32"), "Kestrel32");
  const std::string exact(62, 'x');
  EXPECT_EQ(CutToolTip(exact), exact);
  EXPECT_EQ(CutToolTip(exact + "y"), exact);
  EXPECT_EQ(CutToolTip(std::string(500, 'z')), std::string(62, 'z'));
}

TEST(TrayToolTip, NeverSplitsADoubleByteCharacter) {
  const std::string ascii61(61, 'a');
  EXPECT_EQ(CutToolTip(ascii61 + "进程"), ascii61);         // the lead byte would be byte 62
  EXPECT_EQ(CutToolTip(ascii61 + "a进程"), ascii61 + "a");  // a whole character fits exactly
  std::string chinese;
  for (int i = 0; i < 31; ++i) chinese += "窗";
  EXPECT_EQ(CutToolTip(chinese + "口"), chinese);
  // A trail byte in the range of lead bytes is still a trail byte: the walk starts at the front.
  std::string trailsLikeLeads;
  for (int i = 0; i < 40; ++i) trailsLikeLeads += "\x81\x81";
  EXPECT_EQ(CutToolTip(trailsLikeLeads).size(), 62u);
  EXPECT_EQ(CutToolTip("a" + trailsLikeLeads).size(), 61u);
}

TEST(TrayToolTip, ALoneLeadByteAtTheEndAndEmbeddedNulsStayHarmless) {
  EXPECT_EQ(CutToolTip("abc\x81"), "abc\x81");
  EXPECT_EQ(CutToolTip(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(CutToolTip("abcdef", 3), "abc");
  EXPECT_EQ(CutToolTip("进程", 1), "");
  EXPECT_EQ(CutToolTip("进程", 0), "");
}

}  // namespace k32
