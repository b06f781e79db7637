// The top-level window list and the descendants of its selected window.
#include "app/form_main.h"
#include "common/text.h"
#include "process/list_update.h"
#include "window/window_rows.h"
#include "window/window_target.h"

namespace k32 {

void TFormMain::RefreshWindowList(const std::vector<ProcessEntry>& processes) {
  windowCount = 0;
  const RememberedRow selected = RememberSelection(*WindowList, kHandleColumn);
  {
    ListUpdate update(*WindowList);
    WindowList->Clear();
    for (ListRow& row : TopLevelWindowRows(services_, processes)) {
      ++windowCount;
      AppendRow(*WindowList, std::move(row));
    }
    ResortList(WindowList);
  }
  SelectAgain(*WindowList, selected, kHandleColumn);
}

void TFormMain::WindowListSelectItem(gui::TListItem*, bool selected) {
  if (!selected) return;  // a deselection leaves the descendants shown
  const gui::TListItem* row = WindowList->Selected();
  if (!row) return;
  const WindowId parent = ParseDecimalModulo32(row->Caption);
  ListUpdate update(*ChildList);
  ChildList->Clear();
  for (ListRow& child : DescendantWindowRows(services_, parent)) AppendRow(*ChildList, std::move(child));
}

WindowTarget ReadWindowTarget(const gui::TListView& windows, const gui::TListView& children) {
  const gui::TListView* source = windows.Focused() ? &windows : children.Focused() ? &children : nullptr;
  if (source == nullptr) return {};
  WindowTarget target{true, std::nullopt};
  if (const gui::TListItem* row = source->Selected())
    target.window = ParseDecimalModulo32(row->Text(kHandleColumn));
  return target;
}

}  // namespace k32
