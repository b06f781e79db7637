// Texts of what a process costs, as the process list shows them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace k32 {

// A share of all processors in percent with two decimals ("49.87"); empty when unknown or below 0.01.
std::string CpuShareText(std::optional<double> percent);
// A total share with two decimals, "0.00" included ("12.34").
std::string CpuShareTotalText(double percent);
// Processor time (100-nanosecond units) as "h:mm:ss.fff" ("0:00:03.450"), hours as many as it takes.
std::string CpuTimeText(std::uint64_t time);
// Bytes as whole KiB with thousands separators and " K" ("206,608 K").
std::string KibText(std::uint64_t bytes);
// Any of the texts above back as the number it stands for (a time in seconds, a size in KiB); an
// empty text is 0; none for a text that is none of them.
std::optional<long double> ReadCostNumber(std::wstring_view text);

// A local date and time as "2026-12-08 16:38:07".
std::string DateTimeText(int year, int month, int day, int hour, int minute, int second);

}  // namespace k32
