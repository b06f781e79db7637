// What the lists store and read back through their settings objects: the column order (extended
// list only), the widths by display position, the sort column and direction, the view style.
#include <vector>

#include "gui/update_scope.h"
#include "listview/enh_list_view.h"
#include "listview/ext_list_view.h"

namespace k32 {

namespace {

using UpdateScope = gui::TUpdateScope<TCustomEnhListView>;

// The width of the column shown at each place, from left to right.
std::vector<int> WidthsByPosition(TCustomEnhListView& list) {
  std::vector<int> widths(static_cast<std::size_t>(list.ColumnCount()));
  for (std::size_t position = 0; position < widths.size(); ++position)
    widths[position] = list.ColumnWidth(list.GetActualColumn(static_cast<int>(position)));
  return widths;
}

}  // namespace

// A list being built from its layout has read nothing yet: storing then would overwrite what is kept
// with the layout's values.
void TCustomEnhListView::StoreSettings() {
  if (SaveSettings().AutoSave && !Loading()) WriteSettings();
}

bool TCustomEnhListView::WriteSettings() {
  TdfsEnhLVSaveSettings& settings = SaveSettings();
  const int count = ColumnCount();
  if (settings.SaveColumnSizes && count > 0)
    settings.StoreColumnSizes(count, WidthsByPosition(*this).data(), Dpi());
  if (settings.SaveCurrentSort) settings.StoreCurrentSort(CurrentSortAscending(), LastColumnClicked());
  if (settings.SaveViewStyle) settings.StoreViewStyle(ViewStyle());
  return true;
}

bool TCustomEnhListView::LoadSettings() { return SaveSettings().AutoSave && ReadSettings(); }

bool TCustomEnhListView::ReadSettings() {
  TdfsEnhLVSaveSettings& settings = SaveSettings();
  const int count = ColumnCount();
  // By display position: the order, when there is one, is in place already.
  if (settings.SaveColumnSizes && count > 0) {
    std::vector<int> widths = WidthsByPosition(*this);
    settings.ReadColumnSizes(count, widths.data(), Dpi());
    if (widths[0] != -1) {
      for (int position = 0; position < count; ++position)
        SetColumnWidth(GetActualColumn(position), widths[static_cast<std::size_t>(position)]);
    }
  }
  if (settings.SaveCurrentSort) {
    bool ascending = true;
    int column = 0;
    settings.ReadCurrentSort(ascending, column);
    if (column >= count) column = count - 1;
    if (column < 0) column = 0;
    UpdateScope update(*this);
    SetCurrentSortAscending(ascending);
    SetLastColumnClicked(column);
    Resort();
  }
  if (settings.SaveViewStyle) SetViewStyle(settings.ReadViewStyle(ViewStyle()));
  return true;
}

bool TCustomExtListView::WriteSettings() {
  TdfsExtLVSaveSettings& settings = SaveSettings();
  const int count = ColumnCount();
  if (settings.SaveColumnOrder && count > 0) {
    std::vector<int> order = GetColumnOrder();
    if (static_cast<int>(order.size()) != count) {
      order.resize(static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
    }
    settings.StoreColumnOrder(count, order.data());
    std::vector<bool> visible(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) visible[static_cast<std::size_t>(i)] = ColumnVisible(i);
    settings.StoreVisibleColumns(visible);
  }
  return TCustomEnhListView::WriteSettings();
}

// The order first: the widths are read and applied by display position.
bool TCustomExtListView::ReadSettings() {
  TdfsExtLVSaveSettings& settings = SaveSettings();
  const int count = ColumnCount();
  if (settings.SaveColumnOrder && count > 0) {
    std::vector<int> order(static_cast<std::size_t>(count));
    settings.ReadColumnOrder(count, order.data());
    SetColumnOrder(order);
    if (const auto visible = settings.ReadVisibleColumns(count))
      for (int i = 0; i < count; ++i) SetColumnVisible(i, (*visible)[static_cast<std::size_t>(i)]);
  }
  return TCustomEnhListView::ReadSettings();
}

}  // namespace k32
