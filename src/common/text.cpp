#include "common/text.h"

#include <algorithm>

namespace k32 {

std::string UnsignedText(std::uint32_t value) { return std::to_string(value); }

std::string SignedText(std::uint32_t value) { return std::to_string(static_cast<std::int32_t>(value)); }

std::string PointerText(std::uint64_t value, unsigned wordBits) {
  if (wordBits <= 32) return SignedText(static_cast<std::uint32_t>(value));
  return std::to_string(static_cast<std::int64_t>(value));
}

std::string KilobyteText(std::uint32_t bytes) { return std::to_string(bytes / 1024) + " K"; }

namespace {
// Position just after the last separator byte that is not a trail byte; 0 when there is none.
std::size_t AfterLastSeparator(std::string_view path) {
  std::size_t after = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (IsLeadByte936(c) && i + 1 < path.size()) {
      ++i;  // the next byte is the second half of this character
      continue;
    }
    if (c == '\\' || c == ':') after = i + 1;
  }
  return after;
}
}  // namespace

std::size_t HintBar(std::string_view hint) {
  for (std::size_t i = 0; i < hint.size(); ++i) {
    const auto c = static_cast<unsigned char>(hint[i]);
    if (IsLeadByte936(c) && i + 1 < hint.size())
      ++i;
    else if (c == '|')
      return i;
  }
  return std::string_view::npos;
}

std::string FileNamePart(std::string_view path) { return std::string(path.substr(AfterLastSeparator(path))); }

std::string FolderPart(std::string_view path) {
  return std::string(path.substr(0, AfterLastSeparator(path)));
}

std::wstring FileNamePart(std::wstring_view path) {
  const std::size_t separator = path.find_last_of(L"\\:");
  return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

std::wstring FolderPart(std::wstring_view path) {
  const std::size_t separator = path.find_last_of(L"\\:");
  return separator == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, separator + 1));
}

std::wstring_view WithoutHalfCharacterAtEnd(std::wstring_view text) {
  const bool opensPair = !text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF;
  return opensPair ? text.substr(0, text.size() - 1) : text;
}

std::wstring TextAsInBuffer(std::wstring_view text, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  const std::wstring_view kept = text.substr(0, std::min(text.find(L'\0'), bufferSize - 1));
  return std::wstring(kept.size() + 1 >= bufferSize ? WithoutHalfCharacterAtEnd(kept) : kept);
}

std::wstring_view CutAtCharacter(std::wstring_view text, std::size_t limit) {
  return text.size() <= limit ? text : WithoutHalfCharacterAtEnd(text.substr(0, limit));
}

std::string_view CutAtCharacter(std::string_view text, std::size_t limit) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + (IsLeadByte936(static_cast<unsigned char>(text[end])) ? 2 : 1);
    if (next > limit) break;
    end = next;
  }
  return text.substr(0, std::min(end, text.size()));
}

std::wstring_view ArgumentsPart(std::wstring_view commandLine) {
  std::size_t at = 0;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    at = commandLine.find(L'"', 1);
    at = at == std::wstring_view::npos ? commandLine.size() : at + 1;
  } else {
    while (at < commandLine.size() && commandLine[at] != L' ' && commandLine[at] != L'\t') ++at;
  }
  while (at < commandLine.size() && (commandLine[at] == L' ' || commandLine[at] == L'\t')) ++at;
  return commandLine.substr(at);
}

std::wstring WidenAscii(std::string_view text) { return std::wstring(text.begin(), text.end()); }

namespace {
template <typename Char>
std::uint32_t ParseDecimal(std::basic_string_view<Char> text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  return negative ? 0u - value : value;
}
}  // namespace

std::uint32_t ParseDecimalModulo32(std::string_view text) { return ParseDecimal(text); }
std::uint32_t ParseDecimalModulo32(std::wstring_view text) { return ParseDecimal(text); }

}  // namespace k32
