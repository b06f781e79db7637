// An upper list's rows: all the rows of the last snapshot, and the ones of them the filter lets
// through, which are what the list shows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "listview/ext_list_view.h"
#include "process/list_rows.h"

namespace k32 {

class TFilteredRows {
 public:
  // keyColumn finds the selected row again after a rebuild; the filter looks at the first
  // filterColumns columns.
  TFilteredRows(TdfsExtListView& list, int keyColumn, int filterColumns)
      : list_(list), keyColumn_(keyColumn), filterColumns_(filterColumns) {}

  // A new snapshot's rows, shown at once through the filter.
  void SetRows(std::vector<ListRow> rows);
  // A new filter text. A hidden page's list waits for ShowPending; its counts are right at once.
  void SetFilter(const std::string& text, bool showNow);
  // Brings the list up to a filter set while it was hidden.
  void ShowPending();

  [[nodiscard]] int Count() const { return static_cast<int>(rows_.size()); }
  [[nodiscard]] int ShownCount() const { return static_cast<int>(shown_.size()); }

 private:
  // A list that would show the same rows again is left as it is, unless forced.
  void Show(bool force);

  TdfsExtListView& list_;
  int keyColumn_, filterColumns_;
  std::vector<ListRow> rows_;
  std::vector<std::size_t> shown_;  // indices into rows_
  std::string filter_;
  bool pending_ = false;
};

}  // namespace k32
