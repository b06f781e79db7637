// Which rows of an upper list stay shown while the user narrows it: the filter text in one of the
// row's leading columns.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "system/list_row.h"

namespace k32 {

class RowFilter {
 public:
  // The text is looked for in the first `columns` cells of each row (the caption is the first).
  RowFilter(std::wstring_view text, int columns);

  [[nodiscard]] bool Empty() const { return folded_.empty(); }
  // Every row passes an empty filter.
  [[nodiscard]] bool operator()(const ListRow& row) const;

 private:
  std::wstring folded_;
  int columns_;
};

// Indices of the rows the filter lets through, in order.
std::vector<std::size_t> PassingRows(const std::vector<ListRow>& rows, const RowFilter& filter);

}  // namespace k32
