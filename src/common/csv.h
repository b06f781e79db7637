// Comma-separated values (RFC 4180) in UTF-8, as a spreadsheet reads them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace k32 {

// UTF-16 as UTF-8; a surrogate without its partner becomes U+FFFD.
std::string Utf8(std::wstring_view text);
// One record: each field quoted when it holds a comma, a quote or a line break (quotes doubled),
// ended by CR LF.
std::string CsvRecord(const std::vector<std::wstring>& fields);
// What a file of CSV starts with, so that a spreadsheet takes it as UTF-8: the byte-order mark.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace k32
