// The sort itself: the control reorders its rows, asking the comparison for pairs of row objects.
// The default comparison reads each cell once per sort into a key; comparing two keys gives what
// comparing the two texts gives.
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "gui/guard.h"
#include "listview/enh_list_view.h"
#include "listview/user_sort_locale.h"

namespace k32 {

namespace {

const decltype(TListItem::Caption) kNoText;

// The cell a sort compares: the caption for sub-item -1, else that sub-item (empty when missing).
const auto& CellText(const TListItem* item, int subItem) {
  if (subItem == -1) return item->Caption;
  if (subItem < 0 || static_cast<std::size_t>(subItem) >= item->SubItems.size()) return kNoText;
  return item->SubItems[static_cast<std::size_t>(subItem)];
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

// What the comparison reads while one sort runs; one sort at a time for all lists.
struct SortRun {
  TCustomEnhListView* list = nullptr;
  int subItem = -1;
  int direction = 1;
  TAutoSortStyle style = assSmart;
  SortLocale locale;
  std::vector<WideSortKey> keys;
  std::unordered_map<const TListItem*, std::size_t> slots;
  // A comparison that failed has been reported; the rest of this sort compares nothing.
  bool failed = false;

  static SortRun* current;

  static int CALLBACK CompareKeys(LPARAM a, LPARAM b, LPARAM) noexcept;
  static int CALLBACK CompareByHandler(LPARAM a, LPARAM b, LPARAM) noexcept;
  int KeyCompare(const TListItem* a, const TListItem* b) const;
  template <typename Compare>
  static int Guard(LPARAM a, LPARAM b, Compare compare) noexcept;
};

SortRun* SortRun::current = nullptr;

int SortRun::KeyCompare(const TListItem* a, const TListItem* b) const {
  const auto sa = slots.find(a), sb = slots.find(b);
  if (sa == slots.end() || sb == slots.end()) {
    return SmartCompare(CellText(a, subItem), CellText(b, subItem), style, locale, CompareLocaleText,
                        direction);
  }
  return CompareSortKeys(keys[sa->second], keys[sb->second], style, CompareLocaleText, direction);
}

template <typename Compare>
int SortRun::Guard(LPARAM a, LPARAM b, Compare compare) noexcept {
  auto* ia = reinterpret_cast<TListItem*>(a);
  auto* ib = reinterpret_cast<TListItem*>(b);
  if (!current || current->failed || !ia || !ib) return 0;
  bool answered = false;
  const int result = gui::Guarded([&] {
    const int order = compare(*current, ia, ib);
    answered = true;
    return order;
  });
  if (!answered) current->failed = true;
  return result;
}

int CALLBACK SortRun::CompareKeys(LPARAM a, LPARAM b, LPARAM) noexcept {
  return Guard(a, b, [](SortRun& run, TListItem* ia, TListItem* ib) { return run.KeyCompare(ia, ib); });
}

int CALLBACK SortRun::CompareByHandler(LPARAM a, LPARAM b, LPARAM) noexcept {
  return Guard(a, b, [](SortRun& run, TListItem* ia, TListItem* ib) {
    int result = 0;
    run.list->SortItems(ia, ib, run.subItem, result);
    return Sign(result) * run.direction;
  });
}

void TCustomEnhListView::SortItems(TListItem* item1, TListItem* item2, int sortColumn, int& compResult) {
  TSortAs sortAs = saNone;
  int result = 0;
  if (OnSortItems) OnSortItems(this, item1, item2, sortColumn, sortAs, result);
  if (sortAs != saNone) {
    const SortLocale locale = SortRun::current ? SortRun::current->locale : UserSortLocale();
    result = CompareAs(CellText(item1, sortColumn), CellText(item2, sortColumn), sortAs, locale,
                       CompareLocaleText, +1);
  }
  compResult = result;
}

WideSortKey TCustomEnhListView::SortKeyOf(int column, const std::wstring& text, const SortLocale& locale) const {
  const auto read =
      static_cast<std::size_t>(column) < columnNumbers_.size() ? columnNumbers_[static_cast<std::size_t>(column)] : nullptr;
  if (read) return {text, std::nullopt, read(text)};
  return MakeSortKey(text, locale);
}

std::vector<int> TCustomEnhListView::CellRanks(int column, bool ascending,
                                               const std::vector<const std::wstring*>& texts) const {
  const SortLocale locale = UserSortLocale();
  std::vector<WideSortKey> keys;
  keys.reserve(texts.size());
  for (const std::wstring* text : texts) keys.push_back(SortKeyOf(column, text ? *text : kNoText, locale));
  std::vector<std::size_t> order(texts.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const int direction = ascending ? 1 : -1;
  const auto compare = [&](std::size_t a, std::size_t b) {
    return CompareSortKeys(keys[a], keys[b], autoSortStyle_, CompareLocaleText, direction);
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return compare(a, b) < 0; });
  std::vector<int> ranks(texts.size(), 0);
  int rank = 0;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i > 0 && compare(order[i - 1], order[i]) != 0) ++rank;
    ranks[order[i]] = rank;
  }
  return ranks;
}

void TCustomEnhListView::SortWith(int column, bool ascending, bool useHandler) {
  resortPending_ = false;
  SetLastColumnClicked(column);
  if (OnArrangeRows) {
    if (!arranging_) {
      arranging_ = true;
      const struct Done {
        bool& flag;
        ~Done() { flag = false; }
      } done{arranging_};
      SortBegin(column, ascending);
      OnArrangeRows(column, ascending);
      SortFinished(column, ascending);
    }
    return;
  }
  SortBegin(column, ascending);
  // Neither a comparison nor a sort handler may start another sort while one runs.
  if (HandleAllocated() && !SortRun::current) {
    SortRun run;
    run.list = this;
    run.subItem = column - 1;
    run.direction = ascending ? 1 : -1;
    run.style = autoSortStyle_;
    run.locale = UserSortLocale();
    if (!useHandler) {
      run.keys.reserve(items_.size());
      run.slots.reserve(items_.size());
      for (const auto& item : items_) {
        run.slots.emplace(item.get(), run.keys.size());
        run.keys.push_back(SortKeyOf(column, CellText(item.get(), run.subItem), run.locale));
      }
    }
    SortRun::current = &run;
    struct Done {
      ~Done() { SortRun::current = nullptr; }
    } done;
    const PFNLVCOMPARE compare = useHandler ? &SortRun::CompareByHandler : &SortRun::CompareKeys;
    SendMessageA(Handle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(compare));
  }
  SortFinished(column, ascending);
}

void TCustomEnhListView::SetColumnNumber(int column, TCellNumber read) {
  if (column < 0) return;
  if (columnNumbers_.size() <= static_cast<std::size_t>(column)) columnNumbers_.resize(static_cast<std::size_t>(column) + 1);
  columnNumbers_[static_cast<std::size_t>(column)] = read;
}

void TCustomEnhListView::SetColumnDescendingFirst(int column, bool value) {
  if (column < 0) return;
  if (descendingFirst_.size() <= static_cast<std::size_t>(column)) descendingFirst_.resize(static_cast<std::size_t>(column) + 1);
  descendingFirst_[static_cast<std::size_t>(column)] = value;
}

void TCustomEnhListView::DoSort(int column, bool ascending) {
  SortWith(column, ascending, static_cast<bool>(OnSortItems));
}

void TCustomEnhListView::DefaultSort(int column, bool ascending) { SortWith(column, ascending, false); }

void TCustomEnhListView::SortBegin(int column, bool ascending) {
  if (OnSortBegin) OnSortBegin(this, column, ascending);
}

void TCustomEnhListView::SortFinished(int column, bool ascending) {
  if (OnSortFinished) OnSortFinished(this, column, ascending);
}

void TCustomEnhListView::Resort() {
  resortPending_ = true;
  const bool columnSort =
      autoColumnSort_ != acsNoSort && lastColumnClicked_ >= 0 && lastColumnClicked_ < ColumnCount();
  if (!columnSort && !OnSortItems) return;
  if (updateDepth_ >= 1) return;
  DoSort(lastColumnClicked_, currentSortAscending_);
}

void TCustomEnhListView::BeginUpdate() {
  ++updateDepth_;
  TListView::BeginUpdate();
}

void TCustomEnhListView::EndUpdate() {
  if (updateDepth_ > 0) --updateDepth_;
  // The redraw comes back on however the sort ends.
  struct Redraw {
    TCustomEnhListView* list;
    ~Redraw() {
      gui::Guarded([this] { list->TListView::EndUpdate(); });
    }
  } redraw{this};
  if (updateDepth_ == 0 && resortPending_) Resort();
}

}  // namespace k32
