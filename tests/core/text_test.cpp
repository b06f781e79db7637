#include "common/text.h"

#include <gtest/gtest.h>

namespace k32 {

TEST(NumberTexts, SignedAndUnsignedFromTheSameBits) {
  EXPECT_EQ(UnsignedText(0x80000000u), "2147483648");
  EXPECT_EQ(SignedText(0xBFF70000u), "-1074331648");
  EXPECT_EQ(SignedText(0x7FFFFFFFu), "2147483647");
  EXPECT_EQ(SignedText(0xFFFFFFFFu), "-1");
}

TEST(NumberTexts, AddressesAreSignedAtTheProgramsWordSize) {
  EXPECT_EQ(PointerText(0x80000000u, 32), "-2147483648");
  EXPECT_EQ(PointerText(0xFFFFFFFFu, 32), "-1");
  EXPECT_EQ(PointerText(0x80000000u, 64), "2147483648");
  EXPECT_EQ(PointerText(0x36D860000ull, 64), "14722400256");
  EXPECT_EQ(PointerText(0x7FFFFFFFFFFFFFFFull, 64), "9223372036854775807");
  EXPECT_EQ(PointerText(0x8000000000000000ull, 64), "-9223372036854775808");
  EXPECT_EQ(PointerText(0x80000000u), sizeof(void*) == 8 ? "2147483648" : "-2147483648");
}

TEST(NumberTexts, KilobytesRoundDown) {
  EXPECT_EQ(KilobyteText(1023), "0 K");
  EXPECT_EQ(KilobyteText(2047), "1 K");
  EXPECT_EQ(KilobyteText(0xFFFFFFFFu), "4194303 K");
}

TEST(FileNamePart, SeparatorsAndDoubleByteTrailBytes) {
  EXPECT_EQ(FileNamePart("C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL"), "KERNEL32.DLL");
  EXPECT_EQ(FileNamePart("C:NOTEPAD.EXE"), "NOTEPAD.EXE");
  EXPECT_EQ(FileNamePart("plain.exe"), "plain.exe");
  EXPECT_EQ(FileNamePart("C:\\dir\\"), "");
  // 0xB1 0x5C is one character whose second byte looks like a backslash.
  EXPECT_EQ(FileNamePart("C:\\a\\\xB1\x5C.exe"), "\xB1\x5C.exe");
  EXPECT_EQ(FolderPart("C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL"), "C:\\WINDOWS\\SYSTEM\\");
  EXPECT_EQ(FolderPart("KERNEL32.DLL"), "");
  EXPECT_EQ(FolderPart("\xB1\x5C"), "");
  // A lone lead byte at the very end is no character: a separator before it still counts.
  EXPECT_EQ(FileNamePart("a\\\xB1"), "\xB1");
}

TEST(HintBar, TheFirstBarThatIsNotTheSecondByteOfACharacter) {
  EXPECT_EQ(HintBar("ab|c|d"), 2u);
  EXPECT_EQ(HintBar("abc"), std::string_view::npos);
  // 0xB0 0x7C is one character whose second byte looks like a bar.
  EXPECT_EQ(HintBar("\xB0\x7C|\xB0\x7C"), 2u);
  EXPECT_EQ(HintBar("\xB0\x7C"), std::string_view::npos);
}

TEST(CutAtCharacter, ATextCutToALengthNeverEndsInHalfASurrogatePair) {
  const std::wstring title = std::wstring(248, L'a') + L"\xD83D\xDD34 b";  // an emoji at units 249, 250
  EXPECT_EQ(CutAtCharacter(title, 249), std::wstring(248, L'a'));
  EXPECT_EQ(CutAtCharacter(title, 250), title.substr(0, 250));
  EXPECT_EQ(WithoutHalfCharacterAtEnd(L"ab\xDC00"), L"ab\xDC00");  // a second half is left to the reader
  // Code page 936: "a进" is 61 BD F8; cut at 2 it keeps "a", not the lead byte alone.
  EXPECT_EQ(CutAtCharacter(std::string_view("a\xBD\xF8"), 2), "a");
  EXPECT_EQ(CutAtCharacter(std::string_view("a\xBD\xF8"), 3), "a\xBD\xF8");
}

TEST(ParseDecimalModulo32, WrapsLikeTheRuntime) {
  EXPECT_EQ(ParseDecimalModulo32("  4294967287"), 4294967287u);
  EXPECT_EQ(ParseDecimalModulo32("4294967296"), 0u);
  EXPECT_EQ(ParseDecimalModulo32("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseDecimalModulo32("+12abc"), 12u);
  EXPECT_EQ(ParseDecimalModulo32(""), 0u);
  EXPECT_EQ(ParseDecimalModulo32("x9"), 0u);
}

}  // namespace k32
