#include "process/filtered_list.h"

#include <utility>

#include "process/list_update.h"
#include "process/row_filter.h"

namespace k32 {

void TFilteredRows::SetRows(std::vector<ListRow> rows) {
  rows_ = std::move(rows);
  Show(true);
}

void TFilteredRows::SetFilter(const std::string& text, bool showNow) {
  if (text == filter_) return;
  filter_ = text;
  if (showNow) {
    Show(false);
    return;
  }
  std::vector<std::size_t> shown = PassingRows(rows_, RowFilter(filter_, filterColumns_));
  if (shown == shown_) return;
  shown_ = std::move(shown);
  pending_ = true;
}

void TFilteredRows::ShowPending() {
  if (pending_) Show(true);
}

void TFilteredRows::Show(bool force) {
  std::vector<std::size_t> shown = PassingRows(rows_, RowFilter(filter_, filterColumns_));
  if (!force && !pending_ && shown == shown_) return;
  shown_ = std::move(shown);
  pending_ = false;
  ShowChosenRows(list_, rows_, shown_, keyColumn_);
}

}  // namespace k32
