#include "listview/row_filter.h"

#include <cstddef>

#include "common/find_text.h"

namespace k32 {

RowFilter::RowFilter(std::wstring_view text, int columns) : folded_(FoldCase(text)), columns_(columns) {}

bool RowFilter::operator()(const ListRow& row) const {
  if (folded_.empty()) return true;
  if (columns_ > 0 && ContainsFolded(row.caption, folded_)) return true;
  for (std::size_t i = 0; i + 1 < static_cast<std::size_t>(columns_) && i < row.subItems.size(); ++i)
    if (ContainsFolded(row.subItems[i], folded_)) return true;
  return false;
}

std::vector<std::size_t> PassingRows(const std::vector<ListRow>& rows, const RowFilter& filter) {
  std::vector<std::size_t> passing;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (filter(rows[i])) passing.push_back(i);
  return passing;
}

}  // namespace k32
