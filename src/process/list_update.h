// What every rebuild of a list does around its rows: redraw off for the whole rebuild, and the
// selection carried over to the new rows.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gui/guard.h"
#include "gui/listview.h"
#include "listview/ext_list_view.h"
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

// What a rebuild selects again: the row that shows the same key (a process identifier, a window
// handle) while it is still listed, so that a command acts on what the user chose; only when that
// row is gone, the row at the same position.
struct RememberedRow {
  int position = 0;
  std::optional<std::string> key;
};

// The selected row's position and its text in the key column; position 0 and no key when none is
// selected.
inline RememberedRow RememberSelection(const gui::TListView& list, int keyColumn) {
  const int selected = list.Count() > 0 ? list.SelectedIndex() : -1;
  if (selected < 0) return {};
  return {selected, list.Item(selected)->Text(keyColumn)};
}

// Selects the remembered row again (its selection handler runs), or nothing when it is gone and the
// list has become too short for its position.
inline void SelectAgain(gui::TListView& list, const RememberedRow& remembered, int keyColumn) {
  const int count = list.Count();
  int index = remembered.position;
  for (int i = 0; remembered.key && i < count; ++i) {
    if (list.Item(i)->Text(keyColumn) == *remembered.key) {
      index = i;
      break;
    }
  }
  if (index < count) list.SelectIndex(index);
}

// A list whose column sorting is on is sorted again by its current column and direction; inside
// the list's update the sort waits for the update's end.
inline void ResortList(TdfsExtListView& list) {
  if (list.AutoColumnSort() != acsNoSort) list.Resort();
}

// The first row whose cell in that column reads text; -1 when there is none.
inline int FindRowWithText(const gui::TListView& list, int column, const std::string& text) {
  for (int i = 0; i < list.Count(); ++i)
    if (list.Item(i)->Text(column) == text) return i;
  return -1;
}

inline void AppendRow(gui::TListView& list, ListRow row) {
  list.AddItem(std::move(row.caption), std::move(row.subItems), row.image);
}

// The list rebuilt from the chosen rows (indices into rows), the selected row selected again by its
// key column.
inline void ShowChosenRows(TdfsExtListView& list, const std::vector<ListRow>& rows,
                           const std::vector<std::size_t>& chosen, int keyColumn) {
  const RememberedRow selected = RememberSelection(list, keyColumn);
  {
    ListUpdate update(list);
    list.Clear();
    for (const std::size_t i : chosen) AppendRow(list, rows[i]);
    ResortList(list);
  }
  SelectAgain(list, selected, keyColumn);
}

}  // namespace k32
