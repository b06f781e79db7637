// Text values of a list's saved settings (column order and widths, sort, view style): how they are
// written, and how a stored text is read back, checked and given its defaults.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/dpi_scale.h"

namespace k32 {

// Sections (subkeys of the list's key) and value names.
inline constexpr char kColumnsSection[] = "Columns";
inline constexpr char kOrderValue[] = "Order";
inline constexpr char kSizesValue[] = "Sizes";
inline constexpr char kVisibleValue[] = "Visible";
inline constexpr char kSortSection[] = "Sort";
inline constexpr char kAscendingValue[] = "Ascending";
inline constexpr char kSortColValue[] = "SortCol";
inline constexpr char kViewStyleSection[] = "ViewStyle";
inline constexpr char kViewStyleValue[] = "ViewStyle";

// "0,3,1,2": decimal entries joined by "," (empty for no entries).
std::string FormatIntegerList(std::span<const int> values);
// "Sizes": widths in pixels at a DPI, stored as 96-DPI values.
std::string FormatColumnSizes(std::span<const int> widths, int dpi);
// Decimal with a minus sign when negative.
std::string FormatInteger(int value);
// "1" or "0".
std::string FormatFlag(bool value);

// Blanks, an optional sign, decimal digits and nothing else, within the signed 32-bit range.
std::optional<int> ParseInteger(std::string_view text);

// True when order holds each of 0 .. column_count - 1 exactly once.
bool IsColumnPermutation(std::span<const int> order, int column_count);

// Every reader takes the stored text, or the empty text when the value is missing.

// "Order": the stored display order when its first column_count entries are a permutation of the
// columns, or when all its entries (fewer: stored while the list had fewer columns) are a
// permutation of that many first columns, which the later columns then follow; the identity order
// otherwise (no value, an unreadable, repeated or out-of-range entry). Empty when there are no
// columns.
std::vector<int> ParseColumnOrder(std::string_view stored, int column_count);

// "Sizes" over the current widths (pixels at dpi) by display position: each readable stored entry,
// a 96-DPI value, replaces the width at its position scaled to dpi; unreadable ones keep it, extra
// ones are ignored. Nothing (keep the widths) when there is no value, no column, or the first entry
// comes out as -1. Values of versions that stored pixels were written at 96 DPI and read the same.
std::optional<std::vector<int>> ParseColumnSizes(std::string_view stored, std::vector<int> current_widths,
                                                 int dpi = kDesignDpi);

// "Visible": the indices of the shown columns; each column shown or hidden, the first always shown.
// Nothing (the layout's columns stand) when there is no value or an entry does not read.
std::optional<std::vector<bool>> ParseVisibleColumns(std::string_view stored, int column_count);

// "Ascending": false only when it reads as 0.
bool ParseAscending(std::string_view stored);

// "SortCol": 0 when it does not read; beyond the last column gives the last, below 0 gives 0.
int ParseSortColumn(std::string_view stored, int column_count);

// "ViewStyle": the stored style when it reads as 0 to 3, otherwise the current one.
int ParseViewStyle(std::string_view stored, int current_style);

}  // namespace k32
