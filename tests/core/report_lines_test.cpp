#include "report/report_lines.h"

#include <gtest/gtest.h>

#include "report/time_picture.h"

namespace k32 {
namespace {

using Lines = std::vector<std::string_view>;

TEST(SplitLines, EachLineEndEndsALineAndAFinalOneAddsNoEmptyLine) {
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("\n"), Lines{""});
  EXPECT_EQ(SplitLines("a"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\n"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\n\nb\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("a\n\n\n"), (Lines{"a", "", ""}));
  // A carriage return, alone or before a line feed, ends a line too.
  EXPECT_EQ(SplitLines("a\r\nb\rc\n\rd"), (Lines{"a", "b", "c", "", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitLines("a\n\r"), (Lines{"a", ""}));
}

TEST(WithCrLf, EveryLineEndsWithCrLfTheLastIncluded) {
  EXPECT_EQ(WithCrLf(""), "");
  EXPECT_EQ(WithCrLf("a"), "a\r\n");
  EXPECT_EQ(WithCrLf("a\n\nb\n"), "a\r\n\r\nb\r\n");
  EXPECT_EQ(WithCrLf("a\r\nb\r\n"), "a\r\nb\r\n");
  EXPECT_EQ(WithCrLf("a\rb\r"), "a\r\nb\r\n");
}

TEST(LongTimePicture, HoursMinutesAndSecondsAsTheLocaleWritesThem) {
  EXPECT_EQ(LongTimePicture({false, false, ":", false}), "H':'mm':'ss");
  EXPECT_EQ(LongTimePicture({false, true, ":", false}), "HH':'mm':'ss");
  EXPECT_EQ(LongTimePicture({true, false, ":", false}), "h':'mm':'ss tt");
  EXPECT_EQ(LongTimePicture({true, true, ".", true}), "tt hh'.'mm'.'ss");
  // Letters and quotes in the separator are never read as fields.
  EXPECT_EQ(LongTimePicture({false, false, "h'", false}), "H'h'''mm'h'''ss");
  EXPECT_EQ(LongTimePicture({false, false, "", false}), "Hmmss");
}

}  // namespace
}  // namespace k32
