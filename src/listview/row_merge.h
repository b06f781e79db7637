// How a list's rows are brought up to date without a rebuild: which rows stay where they are, which
// move, which are new and which are gone. Pure: the list view carries the plan out.
#pragma once

#include <cstddef>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "system/list_row.h"

namespace k32 {

using RowText = decltype(ListRow::caption);

// The two columns whose texts together tell a row from every other across refreshes (column 0 is
// the caption; kKeyColumn the row's own key, kNoColumn nothing).
inline constexpr int kKeyColumn = -1;
inline constexpr int kNoColumn = -2;
struct RowKeyColumns {
  int first = 0;
  int second = 1;
};

using RowTextView = std::basic_string_view<RowText::value_type>;

// A row's key: the texts of its two key columns, seen where the row keeps them.
struct RowKey {
  RowTextView first;
  RowTextView second;
  bool operator==(const RowKey&) const = default;
};
struct RowKeyHash {
  std::size_t operator()(const RowKey& key) const noexcept;
};
RowKey KeyOf(const ListRow& row, RowKeyColumns columns);
// The text of a column: the caption for 0, the row's key for kKeyColumn, else that sub-item (empty
// when there is none).
const RowText& CellText(const ListRow& row, int column);

// The keys of a whole snapshot, of which a list may show only some (a filter hides the others): a
// row hidden has not gone, and one shown again has not come.
struct SnapshotKeys {
  std::unordered_set<RowKey, RowKeyHash> present;  // every row of the snapshot
  std::unordered_set<RowKey, RowKeyHash> arrived;  // the rows the snapshot before did not hold
};

// A row the list shows now.
struct ShownRow {
  RowKey key;
  bool gone = false;  // marked gone at the previous update: it goes now
};

struct RowPlan {
  struct Slot {
    int shown = -1;         // the list's row (its position before the update); -1 for a new row
    int fresh = -1;         // the fresh row shown here; -1 when the shown row's item is gone
    bool inserted = false;  // put in at this place: a new row, or a shown row that moves
  };
  // Rows to take out, bottom first: those gone at the previous update and those that move.
  std::vector<int> removals;
  // The list afterwards, top to bottom. Without the removals the shown rows that stay are already
  // in this order, so the list is brought there by inserting in one pass from the top.
  std::vector<Slot> target;
};

// With keepOrder (a sorted list sorts afterwards) every shown row that stays keeps its place and
// the new rows go to the end; otherwise the list takes the fresh order, moving as few rows as can
// be. Rows that went are kept, each after the row that stood above it.
RowPlan PlanRows(const std::vector<ShownRow>& shown, const std::vector<RowKey>& freshKeys, bool keepOrder);

}  // namespace k32
