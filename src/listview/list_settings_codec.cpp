#include "listview/list_settings_codec.h"

#include <cstdint>
#include <numeric>

namespace k32 {

std::string FormatIntegerList(std::span<const int> values) {
  std::string text;
  for (const int value : values) {
    text += FormatInteger(value);
    text += ',';
  }
  if (!text.empty()) text.pop_back();
  return text;
}

std::string FormatColumnSizes(std::span<const int> widths, int dpi) {
  std::vector<int> stored(widths.begin(), widths.end());
  for (int& width : stored) width = ScaleBetweenDpi(width, dpi, kDesignDpi);
  return FormatIntegerList(stored);
}

std::string FormatInteger(int value) { return std::to_string(value); }

std::string FormatFlag(bool value) { return value ? "1" : "0"; }

std::optional<int> ParseInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > std::int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int>(value);
}

bool IsColumnPermutation(std::span<const int> order, int column_count) {
  if (column_count < 0 || order.size() != static_cast<std::size_t>(column_count)) return false;
  std::vector<bool> seen(order.size(), false);
  for (const int column : order) {
    if (column < 0 || column >= column_count || seen[column]) return false;
    seen[column] = true;
  }
  return true;
}

namespace {

// The first count comma-separated pieces of a stored list, each read or not. A trailing comma ends
// the list; an empty text has no pieces.
std::vector<std::optional<int>> ReadPieces(std::string_view text, std::size_t count) {
  std::vector<std::optional<int>> pieces;
  while (!text.empty() && pieces.size() < count) {
    const std::size_t comma = text.find(',');
    pieces.push_back(ParseInteger(text.substr(0, comma)));
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  return pieces;
}

}  // namespace

std::vector<int> ParseColumnOrder(std::string_view stored, int column_count) {
  if (column_count <= 0) return {};
  std::vector<int> order(static_cast<std::size_t>(column_count));
  const auto pieces = ReadPieces(stored, order.size());
  // An order stored while the list had fewer columns orders those; the later ones follow them.
  bool usable = !pieces.empty();
  for (std::size_t i = 0; usable && i < pieces.size(); ++i) {
    usable = pieces[i].has_value();
    if (usable) order[i] = *pieces[i];
  }
  std::iota(order.begin() + static_cast<std::ptrdiff_t>(pieces.size()), order.end(), static_cast<int>(pieces.size()));
  if (usable && IsColumnPermutation(std::span(order).first(pieces.size()), static_cast<int>(pieces.size())))
    return order;
  std::iota(order.begin(), order.end(), 0);
  return order;
}

std::optional<std::vector<bool>> ParseVisibleColumns(std::string_view stored, int column_count) {
  if (column_count <= 0 || stored.empty()) return std::nullopt;
  std::vector<bool> visible(static_cast<std::size_t>(column_count), false);
  for (const auto& piece : ReadPieces(stored, std::string_view::npos)) {
    if (!piece || *piece < 0) return std::nullopt;
    // A column this version does not have is dropped; one it has that the text does not name hides.
    if (*piece < column_count) visible[static_cast<std::size_t>(*piece)] = true;
  }
  visible[0] = true;  // the first column is never hidden
  return visible;
}

std::optional<std::vector<int>> ParseColumnSizes(std::string_view stored, std::vector<int> current_widths,
                                                 int dpi) {
  if (current_widths.empty() || stored.empty()) return std::nullopt;
  const auto pieces = ReadPieces(stored, current_widths.size());
  // The mark of no value is the stored number itself, before any scaling.
  if ((!pieces.empty() && pieces[0] ? *pieces[0] : current_widths[0]) == -1) return std::nullopt;
  for (std::size_t i = 0; i < pieces.size(); ++i)
    if (pieces[i]) current_widths[i] = ScaleToDpi(*pieces[i], dpi);
  return current_widths;
}

bool ParseAscending(std::string_view stored) { return ParseInteger(stored).value_or(1) != 0; }

int ParseSortColumn(std::string_view stored, int column_count) {
  int column = ParseInteger(stored).value_or(0);
  if (column >= column_count) column = column_count - 1;
  if (column < 0) column = 0;
  return column;
}

int ParseViewStyle(std::string_view stored, int current_style) {
  const auto style = ParseInteger(stored);
  return (style && *style >= 0 && *style <= 3) ? *style : current_style;
}

}  // namespace k32
