// What every list of the main window does around its rows: redraw off while rows change, the
// selection carried over, the rows brought up to date in place with the user's place kept.
#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "gui/listview.h"
#include "gui/update_scope.h"
#include "listview/ext_list_view.h"
#include "listview/row_merge.h"
#include "system/list_row.h"

namespace k32 {

using ListUpdate = gui::TUpdateScope<gui::TListView>;

// What a refresh selects again: the row that shows the same key (a process, a window) while it is
// still listed, so that a command acts on what the user chose; only when that row is gone, the row
// at the same position.
struct RememberedRow {
  int position = 0;
  std::optional<RowText> key;
  bool inView = false;  // the user could see it: the row selected again is brought into view
};

// The selected row's position and key; position 0 and no key when none is selected.
RememberedRow RememberSelection(const gui::TListView& list, RowKeyColumns key);

// Selects the remembered row again (its selection handler runs), or nothing when it is gone and the
// list has become too short for its position.
void SelectAgain(gui::TListView& list, const RememberedRow& remembered, RowKeyColumns key);

// A list whose column sorting is on is sorted again by its current column and direction; inside
// the list's update the sort waits for the update's end.
inline void ResortList(TdfsExtListView& list) {
  if (list.AutoColumnSort() != acsNoSort) list.Resort();
}

// The first row whose cell in that column reads text; -1 when there is none.
inline int FindRowWithText(const gui::TListView& list, int column, const RowText& text) {
  for (int i = 0; i < list.Count(); ++i)
    if (list.Item(i)->Text(column) == text) return i;
  return -1;
}

inline void AppendRow(gui::TListView& list, ListRow row) {
  list.AddItem(std::move(row.caption), std::move(row.subItems), row.image)->Key = std::move(row.key);
}

// Selects and focuses the row (its selection handler runs) and scrolls it into view: the list does
// not scroll to a row the program focuses.
void SelectAndShow(gui::TListView& list, int index);

// Empties the list (a sorted list stays sorted by the same column).
void ClearRows(TdfsExtListView& list);

// What an update tells by the rows' marks. A refresh marks the rows no longer there gone (they go
// at the next update) and, after the first refresh, the new rows new. A change of the filter marks
// nothing: the rows it hides go at once (gone rows too), the rows it shows again come unmarked and
// the others keep their marks.
enum class RowUpdate { FirstRefresh, Refresh, Filter };

// The rows a list is brought to: rows as they stand, or some of them in another order with a look
// each (a tree's), without a copy of any row.
class FreshRows {
 public:
  FreshRows(const std::vector<ListRow>& rows) : rows_(rows) {}  // NOLINT: any row vector serves as is
  FreshRows(const std::vector<ListRow>& rows, const std::vector<std::size_t>& order,
            const std::vector<gui::TRowLook>& looks)
      : rows_(rows), order_(&order), looks_(&looks) {}
  [[nodiscard]] std::size_t size() const { return order_ ? order_->size() : rows_.size(); }
  [[nodiscard]] const ListRow& operator[](std::size_t i) const { return order_ ? rows_[(*order_)[i]] : rows_[i]; }
  [[nodiscard]] gui::TRowLook Look(std::size_t i) const { return looks_ ? (*looks_)[i] : gui::TRowLook{}; }

 private:
  const std::vector<ListRow>& rows_;
  const std::vector<std::size_t>* order_ = nullptr;
  const std::vector<gui::TRowLook>* looks_ = nullptr;
};

// Brings the list to the fresh rows in place: rows matched by key keep their item (changed cells
// written), the rows of the previous update's gone rows are taken out, new rows go where the list's
// order puts them, marked as the kind of update says. When the fresh rows are some of a snapshot's
// (a filter passed them), a row of the snapshot that the list shows but the fresh rows lack goes
// at once unmarked, and only a fresh row that arrived with the snapshot is marked new. The first
// visible row, the horizontal scroll and the selected and focused rows (by key) are kept, and a
// selected row that was in view stays in view; a selected row that has gone stays selected as a
// gone row. Only the rows that change are drawn again. No selection handler runs.
void UpdateRows(TdfsExtListView& list, const FreshRows& fresh, RowKeyColumns key, RowUpdate kind,
                const SnapshotKeys* snapshot = nullptr);

// An upper list and the lower list that shows what its selected row holds (a process's modules, a
// window's descendants).
struct ListPair {
  TdfsExtListView& upper;
  RowKeyColumns upperKey;
  TdfsExtListView& lower;
  RowKeyColumns lowerKey;
};

// The upper list brought up to date. While the same row stays selected the lower list is brought up
// to date from lowerRows (none for a row marked gone: what it named has ended), unless only the
// filter changed; otherwise the lower list is emptied and a row selected again by key or position,
// whose selection handler fills it.
void UpdateListPair(const ListPair& pair, const FreshRows& rows, const SnapshotKeys& snapshot,
                    RowUpdate kind, const std::function<std::vector<ListRow>(const gui::TListItem&)>& lowerRows);

// The row was gone at the last update.
[[nodiscard]] inline bool IsGone(const gui::TListItem* row) {
  return row && row->Mark == gui::TRowMark::rmGone;
}

}  // namespace k32
