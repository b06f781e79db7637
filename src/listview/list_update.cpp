// Bringing a list's rows up to date in place, with the user's place kept.
#include "listview/list_update.h"

#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <unordered_set>

namespace k32 {

namespace {

RowTextView ItemText(const gui::TListItem& item, int column) {
  if (column == kKeyColumn) return item.Key;
  return column >= 0 ? RowTextView(item.Text(column)) : RowTextView();
}

RowKey ItemKey(const gui::TListItem& item, RowKeyColumns key) {
  return {ItemText(item, key.first), ItemText(item, key.second)};
}

// A key that outlives the row's texts.
RowText KeyText(const RowKey& key) {
  RowText text(key.first);
  text.push_back('\n');
  text.append(key.second);
  return text;
}

bool SortsRows(const TdfsExtListView& list) {
  // A list whose owner arranges its rows takes them in the order given.
  return !list.OnArrangeRows && list.AutoColumnSort() != acsNoSort && list.LastColumnClicked() >= 0 &&
         list.LastColumnClicked() < list.ColumnCount();
}

int StateIndex(const gui::TListView& list, UINT state) {
  auto& view = const_cast<gui::TListView&>(list);
  return static_cast<int>(SendMessageA(view.Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), state));
}

void SetState(gui::TListView& list, int index, UINT state) {
  LVITEMA item{};
  item.stateMask = item.state = state;
  SendMessageA(list.Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

int HorizontalScroll(HWND view) {
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
  return GetScrollInfo(view, SB_HORZ, &info) ? info.nPos : 0;
}

// Scrolls so that the row at index is the first visible one and the horizontal scroll is back where
// it was.
void ScrollBack(HWND view, int top, int horizontal) {
  int dy = 0;
  const int now = static_cast<int>(SendMessageA(view, LVM_GETTOPINDEX, 0, 0));
  if (top >= 0 && top != now) {
    RECT row{};
    row.left = LVIR_BOUNDS;
    if (SendMessageA(view, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)))
      dy = (top - now) * (row.bottom - row.top);
  }
  const int dx = horizontal - HorizontalScroll(view);
  if (dx != 0 || dy != 0) SendMessageA(view, LVM_SCROLL, dx, dy);
}

bool InView(HWND view, int index) {
  const auto top = static_cast<int>(SendMessageA(view, LVM_GETTOPINDEX, 0, 0));
  const auto page = static_cast<int>(SendMessageA(view, LVM_GETCOUNTPERPAGE, 0, 0));
  return index >= top && index < top + page;
}

void ShowRow(HWND view, int index) { SendMessageA(view, LVM_ENSUREVISIBLE, index, FALSE); }

// The list's selection handler sleeps while the rows are brought up to date.
class QuietSelection {
 public:
  explicit QuietSelection(gui::TListView& list)
      : list_(list), handler_(std::exchange(list.OnSelectItem, nullptr)) {}
  ~QuietSelection() { list_.OnSelectItem = std::move(handler_); }
  QuietSelection(const QuietSelection&) = delete;
  QuietSelection& operator=(const QuietSelection&) = delete;

 private:
  gui::TListView& list_;
  decltype(gui::TListView::OnSelectItem) handler_;
};

}  // namespace

RememberedRow RememberSelection(const gui::TListView& list, RowKeyColumns key) {
  const int selected = list.Count() > 0 ? list.SelectedIndex() : -1;
  if (selected < 0) return {};
  auto& view = const_cast<gui::TListView&>(list);
  return {selected, KeyText(ItemKey(*list.Item(selected), key)), InView(view.Handle(), selected)};
}

void SelectAgain(gui::TListView& list, const RememberedRow& remembered, RowKeyColumns key) {
  const int count = list.Count();
  int index = remembered.position;
  for (int i = 0; remembered.key && i < count; ++i) {
    if (KeyText(ItemKey(*list.Item(i), key)) == *remembered.key) {
      index = i;
      break;
    }
  }
  if (index >= count) return;
  // Selecting scrolls the row into view: the user's first visible row is kept instead.
  HWND view = list.Handle();
  const int top = static_cast<int>(SendMessageA(view, LVM_GETTOPINDEX, 0, 0));
  const int horizontal = HorizontalScroll(view);
  list.SelectIndex(index);
  ScrollBack(view, top, horizontal);
  if (remembered.inView) ShowRow(view, index);
}

void SelectAndShow(gui::TListView& list, int index) {
  list.SelectIndex(index);
  ShowRow(list.Handle(), index);
}

void ClearRows(TdfsExtListView& list) {
  ListUpdate update(list);
  list.Clear();
  ResortList(list);
}

void UpdateListPair(const ListPair& pair, const FreshRows& rows, const SnapshotKeys& snapshot,
                    RowUpdate kind, const std::function<std::vector<ListRow>(const gui::TListItem&)>& lowerRows) {
  const RememberedRow selected = RememberSelection(pair.upper, pair.upperKey);
  UpdateRows(pair.upper, rows, pair.upperKey, kind, &snapshot);
  const RememberedRow now = RememberSelection(pair.upper, pair.upperKey);
  if (selected.key && now.key == selected.key) {
    if (kind == RowUpdate::Filter) return;  // no snapshot was taken: the lower list is as fresh as it was
    const gui::TListItem* row = pair.upper.Selected();
    UpdateRows(pair.lower, IsGone(row) ? std::vector<ListRow>{} : lowerRows(*row), pair.lowerKey,
               RowUpdate::Refresh);
    return;
  }
  ClearRows(pair.lower);
  SelectAgain(pair.upper, selected, pair.upperKey);
}

void UpdateRows(TdfsExtListView& list, const FreshRows& fresh, RowKeyColumns key, RowUpdate kind,
                const SnapshotKeys* snapshot) {
  HWND view = list.Handle();
  const int count = list.Count();
  const bool filter = kind == RowUpdate::Filter;
  std::vector<RowKey> freshKeys;
  freshKeys.reserve(fresh.size());
  for (std::size_t i = 0; i < fresh.size(); ++i) freshKeys.push_back(KeyOf(fresh[i], key));
  // A filter's change leaves no gone row behind: the rows it hides go now, as old gone rows do; so
  // do the rows of a snapshot that a filter hides.
  std::unordered_set<RowKey, RowKeyHash> passing;
  if (filter || snapshot) passing.insert(freshKeys.begin(), freshKeys.end());
  const auto hidden = [&](const RowKey& row) {
    return (filter || snapshot) && !passing.contains(row) && (filter || snapshot->present.contains(row));
  };
  std::vector<gui::TListItem*> items(static_cast<std::size_t>(count));
  std::vector<ShownRow> shown(items.size());
  std::vector<gui::TRowMark> marks(items.size());
  for (int i = 0; i < count; ++i) {
    const auto s = static_cast<std::size_t>(i);
    items[s] = list.Item(i);
    marks[s] = items[s]->Mark;
    shown[s] = {ItemKey(*items[s], key), IsGone(items[s])};
    if (hidden(shown[s].key)) shown[s].gone = true;
  }
  const bool keepOrder = SortsRows(list);
  RowPlan plan = PlanRows(shown, freshKeys, keepOrder);
  // The control takes a row out at several times the cost of putting one in, and empties itself at
  // once: when more than three quarters of a long list go (a filter that hides most rows), every row
  // is put in anew (the marks and the user's place are kept all the same). A gone row that stays
  // takes its texts along.
  constexpr std::size_t kFewRows = 32;
  const bool refill = plan.removals.size() > kFewRows && plan.removals.size() * 4 > items.size() * 3;
  std::vector<bool> goneStays(items.size(), false);
  std::vector<ListRow> goneRows;  // numbered after the fresh rows
  std::vector<gui::TRowLook> goneLooks;
  if (refill) {
    for (RowPlan::Slot& slot : plan.target) {
      if (slot.fresh < 0) {
        const gui::TListItem& item = *items[static_cast<std::size_t>(slot.shown)];
        goneRows.push_back({item.Caption, item.SubItems, item.ImageIndex, item.Key});
        goneLooks.push_back(item.Look);
        slot.fresh = static_cast<int>(fresh.size() + goneRows.size()) - 1;
        goneStays[static_cast<std::size_t>(slot.shown)] = true;
      }
      slot.inserted = true;
    }
  }

  const int top = count > 0 ? static_cast<int>(SendMessageA(view, LVM_GETTOPINDEX, 0, 0)) : -1;
  const int horizontal = HorizontalScroll(view);
  const int selected = StateIndex(list, LVNI_SELECTED);
  const int focused = StateIndex(list, LVNI_FOCUSED);
  const bool selectedInView = selected >= 0 && InView(view, selected);

  // Rows in or out: drawing off, and the list drawn once (the control draws far slower row by row).
  bool structural = !plan.removals.empty();
  for (const RowPlan::Slot& slot : plan.target) structural = structural || slot.inserted;
  QuietSelection quiet(list);
  std::vector<gui::TListItem*> now(items.size(), nullptr);  // each shown row's item afterwards
  {
    std::optional<ListUpdate> update;
    if (structural) update.emplace(list);
    if (refill)
      list.Clear();
    else
      for (int removal : plan.removals) list.DeleteItem(removal);
    bool resort = false;
    const int sortColumn = list.LastColumnClicked();
    int at = 0;
    for (const RowPlan::Slot& slot : plan.target) {
      if (slot.inserted) {
        const auto index = static_cast<std::size_t>(slot.fresh);
        const ListRow& row = index < fresh.size() ? fresh[index] : goneRows[index - fresh.size()];
        const gui::TRowLook look = index < fresh.size() ? fresh.Look(index) : goneLooks[index - fresh.size()];
        gui::TListItem* item = list.AddItemAt(at, row.caption, row.subItems, row.image, look);
        item->Key = row.key;
        // A row that moves is marked as one that stays.
        if (slot.shown >= 0) {
          const auto s = static_cast<std::size_t>(slot.shown);
          item->Mark = filter ? marks[s] : goneStays[s] ? gui::TRowMark::rmGone : gui::TRowMark::rmNone;
          now[s] = item;
        } else {
          const bool arrived = !snapshot || snapshot->arrived.contains(KeyOf(row, key));
          item->Mark = kind == RowUpdate::Refresh && arrived ? gui::TRowMark::rmNew : gui::TRowMark::rmNone;
        }
        resort = true;
      } else {
        gui::TListItem* item = items[static_cast<std::size_t>(slot.shown)];
        now[static_cast<std::size_t>(slot.shown)] = item;
        bool changed = false;
        bool keptChanged = false;  // the control keeps the picture, indent and state picture itself
        if (slot.fresh >= 0) {
          const ListRow& row = fresh[static_cast<std::size_t>(slot.fresh)];
          const gui::TRowLook look = fresh.Look(static_cast<std::size_t>(slot.fresh));
          if (keepOrder && item->Text(sortColumn) != CellText(row, sortColumn)) resort = true;
          if (item->Caption != row.caption || item->SubItems != row.subItems ||
              item->ImageIndex != row.image || item->Look != look) {
            keptChanged = item->ImageIndex != row.image || item->Look != look;
            item->Caption = row.caption;
            item->SubItems = row.subItems;
            item->ImageIndex = row.image;
            item->Look = look;
            changed = true;
          }
        }
        const gui::TRowMark mark = filter            ? item->Mark
                                   : slot.fresh >= 0 ? gui::TRowMark::rmNone
                                                     : gui::TRowMark::rmGone;
        if (item->Mark != mark) item->Mark = mark, changed = true;
        if ((changed && !structural) || keptChanged) list.UpdateItem(at);
      }
      ++at;
    }
    if (keepOrder && resort) {
      if (!update) update.emplace(list);
      ResortList(list);
    }
  }

  // The user's place, found again by the rows' items: a row that went at this update counts by the
  // nearest row that stays, first below it, then above.
  const auto itemAt = [&](int index) {
    return index >= 0 && index < count ? now[static_cast<std::size_t>(index)] : nullptr;
  };
  gui::TListItem* topItem = nullptr;
  for (int i = top; i >= 0 && i < count && !topItem; ++i) topItem = itemAt(i);
  for (int i = top - 1; i >= 0 && !topItem; --i) topItem = itemAt(i);
  if (gui::TListItem* item = itemAt(selected); item && !item->Selected())
    SetState(list, item->Index(), LVIS_SELECTED | LVIS_FOCUSED);
  if (gui::TListItem* item = itemAt(focused)) {
    const int index = item->Index();
    if (index >= 0 && StateIndex(list, LVNI_FOCUSED) != index) SetState(list, index, LVIS_FOCUSED);
  }
  ScrollBack(view, topItem ? topItem->Index() : -1, horizontal);
  if (gui::TListItem* item = itemAt(selected); item && selectedInView) ShowRow(view, item->Index());
}

}  // namespace k32
