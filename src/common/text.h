// Number texts and path pieces shared by the lists, the report and the dialogs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace k32 {

// Identifiers, counts and sizes: unsigned decimal, no padding or grouping.
std::string UnsignedText(std::uint32_t value);
// Window handles and other 32-bit values: the same 32 bits read as signed decimal.
std::string SignedText(std::uint32_t value);
// Bits in a pointer of this build: module handles and instances are as wide as a pointer.
inline constexpr unsigned kPointerBits = sizeof(void*) * 8;
// Module and instance handles: the value read as a signed number of wordBits bits (the program's
// pointer width), so a 32-bit build writes exactly what SignedText writes.
std::string PointerText(std::uint64_t value, unsigned wordBits = kPointerBits);
// "N K": whole kilobytes, rounded down.
std::string KilobyteText(std::uint32_t bytes);

// True when byte c opens a double-byte character of code page 936.
constexpr bool IsLeadByte936(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Text after the last "\" or ":" (the whole text when there is neither); a trail byte never counts.
std::string FileNamePart(std::string_view path);
// Text up to and including the last "\" or ":"; empty when there is neither.
std::string FolderPart(std::string_view path);
// The same for a path as the system holds it (wide).
std::wstring FileNamePart(std::wstring_view path);
std::wstring FolderPart(std::wstring_view path);

// The first `limit` UTF-16 units of a text, one fewer when the last of them opens a surrogate pair
// whose second half falls off: a text cut to a length ends on a whole character.
std::wstring_view CutAtCharacter(std::wstring_view text, std::size_t limit);
// The same for a text of code page 936: never the lead byte of a double-byte character without its
// trail byte.
std::string_view CutAtCharacter(std::string_view text, std::size_t limit);
// A text the system cut to fill a buffer, without the half character its end may hold.
std::wstring_view WithoutHalfCharacterAtEnd(std::wstring_view text);
// A text as the system copies it into a buffer of bufferSize characters, its terminator included,
// and a reader takes it back: up to its first terminator, cut to fit, and a text that fills the
// buffer without the half character its end may hold.
std::wstring TextAsInBuffer(std::wstring_view text, std::size_t bufferSize);

// A command line without the program's name that opens it (quoted or up to the first blank) and
// the blanks after it: the program's arguments as given.
std::wstring_view ArgumentsPart(std::wstring_view commandLine);

// A text of the program's that is plain ASCII (numbers, fixed names) as wide text.
std::wstring WidenAscii(std::string_view text);

// Where a "short|long" hint parts: its first "|" that is not the second byte of a double-byte
// character; npos when there is none.
std::size_t HintBar(std::string_view hint);

// Reads leading white space, an optional sign and decimal digits, modulo 2^32 (like a C runtime's
// strtoul without range checks). Anything after the digits is ignored; no digits gives 0.
std::uint32_t ParseDecimalModulo32(std::string_view text);
std::uint32_t ParseDecimalModulo32(std::wstring_view text);

}  // namespace k32
