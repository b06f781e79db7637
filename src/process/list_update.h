// What every rebuild of a list does around its rows: redraw off for the whole rebuild, and the
// selected position carried over to the new rows.
#pragma once

#include <utility>

#include "gui/guard.h"
#include "gui/listview.h"
#include "process/list_rows.h"

namespace k32 {

// Redraw off for one rebuild, on again however the rebuild ends.
class ListUpdate {
 public:
  explicit ListUpdate(gui::TListView& list) : list_(list) { list_.BeginUpdate(); }
  // Ending the update may sort the rows.
  ~ListUpdate() {
    gui::Guarded([this] { list_.EndUpdate(); });
  }
  ListUpdate(const ListUpdate&) = delete;
  ListUpdate& operator=(const ListUpdate&) = delete;

 private:
  gui::TListView& list_;
};

// The position to select after the rebuild: the selected row's, or 0 when none is selected.
inline int RememberedPosition(const gui::TListView& list) {
  const int selected = list.Count() > 0 ? list.SelectedIndex() : -1;
  return selected < 0 ? 0 : selected;
}

// Selects the row now standing at the position (its selection handler runs), or nothing when the
// list has become too short.
inline void SelectPosition(gui::TListView& list, int position) {
  if (position < list.Count()) list.SelectIndex(position);
}

inline void AppendRow(gui::TListView& list, ListRow row) {
  list.AddItem(std::move(row.caption), std::move(row.subItems), row.image);
}

}  // namespace k32
