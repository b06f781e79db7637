#include "listview/filtered_list.h"

#include <utility>

#include "listview/row_filter.h"

namespace k32 {

void FilteredRows::SetRows(std::vector<ListRow> rows) {
  const std::vector<ListRow> before = std::exchange(rows_, std::move(rows));
  SnapshotKeys keys;
  keys.present.reserve(rows_.size());
  for (const ListRow& row : rows_) {
    const RowKey key = KeyOf(row, key_);
    keys.present.insert(key);
    if (!keys_.present.contains(key)) keys.arrived.insert(key);
  }
  keys_ = std::move(keys);  // the views of the rows before go before those rows do
  passing_ = PassingRows(rows_, RowFilter(filter_, filterColumns_));
  pending_ = false;
}

bool FilteredRows::SetFilter(const std::wstring& text, bool shown) {
  if (text == filter_) return false;
  filter_ = text;
  std::vector<std::size_t> passing = PassingRows(rows_, RowFilter(filter_, filterColumns_));
  if (passing == passing_) return false;
  passing_ = std::move(passing);
  pending_ = !shown;
  return shown;
}

const std::vector<ListRow>& FilteredRows::Passing(std::vector<ListRow>& storage) const {
  if (passing_.size() == rows_.size()) return rows_;  // the filter keeps order: all pass, all in order
  storage = Passing();
  return storage;
}

std::vector<bool> FilteredRows::PassingMask() const {
  std::vector<bool> mask(rows_.size(), passing_.size() == rows_.size());
  if (passing_.size() != rows_.size())
    for (const std::size_t i : passing_) mask[i] = true;
  return mask;
}

std::vector<ListRow> FilteredRows::Passing() const {
  std::vector<ListRow> rows;
  rows.reserve(passing_.size());
  for (const std::size_t i : passing_) rows.push_back(rows_[i]);
  return rows;
}

}  // namespace k32
