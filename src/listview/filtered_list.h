// An upper list's rows: all the rows of the last snapshot, and the ones of them the filter lets
// through, which are what the list shows.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "listview/row_merge.h"
#include "system/list_row.h"

namespace k32 {

class FilteredRows {
 public:
  // The filter looks at the first filterColumns columns; key tells a row from every other.
  FilteredRows(int filterColumns, RowKeyColumns key) : filterColumns_(filterColumns), key_(key) {}
  FilteredRows(const FilteredRows&) = delete;
  FilteredRows& operator=(const FilteredRows&) = delete;

  // A new snapshot's rows, through the filter set; the list is brought to them at once.
  void SetRows(std::vector<ListRow> rows);
  // The keys of the last snapshot's rows, passing or not, and of those that came with it.
  [[nodiscard]] const SnapshotKeys& Keys() const { return keys_; }
  // A new filter text. True when the list is to be brought to it now: it lets other rows through
  // and the list is shown (a hidden list waits for TakePending).
  [[nodiscard]] bool SetFilter(const std::wstring& text, bool shown);
  // True once when a filter set while the list was hidden is still to be shown.
  [[nodiscard]] bool TakePending() { return std::exchange(pending_, false); }
  // The rows that pass, in the snapshot's order.
  [[nodiscard]] std::vector<ListRow> Passing() const;
  // The same without a copy when every row passes; else the copy made in storage.
  [[nodiscard]] const std::vector<ListRow>& Passing(std::vector<ListRow>& storage) const;

  // Every row of the snapshot, in its order, and which of them pass.
  [[nodiscard]] const std::vector<ListRow>& All() const { return rows_; }
  [[nodiscard]] std::vector<bool> PassingMask() const;

  [[nodiscard]] int Count() const { return static_cast<int>(rows_.size()); }
  [[nodiscard]] int PassingCount() const { return static_cast<int>(passing_.size()); }

 private:
  int filterColumns_;
  RowKeyColumns key_;
  std::vector<ListRow> rows_;
  SnapshotKeys keys_;  // views of rows_
  std::vector<std::size_t> passing_;  // indices into rows_
  std::wstring filter_;
  bool pending_ = false;
};

}  // namespace k32
