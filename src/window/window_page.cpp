// The window page: its lists, its selection and the window properties command.
#include "window/window_page.h"

#include <windows.h>

#include <utility>

#include "common/text.h"
#include "gui/application.h"
#include "listview/list_update.h"
#include "window/form_winprop.h"
#include "window/window_rows.h"

namespace k32 {

TWindowPage::TWindowPage(TdfsExtListView& windowList, TdfsExtListView& childList, ISystemServices& services)
    : windowList_(windowList), childList_(childList), services_(services) {
  windowImages_.AddMaskedResource("WINDOWIMAGES");
  for (TdfsExtListView* list : {&windowList_, &childList_}) list->SetSmallImages(windowImages_.Handle());
  windowList_.OnSelectItem = [this](gui::TListItem* item, bool selected) {
    WindowListSelectItem(item, selected);
  };
}

void TWindowPage::ClearChildren() { ClearRows(childList_); }

void TWindowPage::RefreshWindowList(const std::vector<ProcessEntry>& processes) {
  rows_.SetRows(TopLevelWindowRows(services_, processes));
  ShowRows(std::exchange(refreshed_, true) ? RowUpdate::Refresh : RowUpdate::FirstRefresh);
}

void TWindowPage::ShowRows(RowUpdate kind) {
  std::vector<ListRow> storage;
  UpdateListPair({windowList_, kWindowKey, childList_, kWindowKey}, rows_.Passing(storage), rows_.Keys(), kind,
                 [this](const gui::TListItem& row) {
                   return DescendantWindowRows(services_, ParseDecimalModulo32(row.Caption));
                 });
}

void TWindowPage::RebuildWindowList(const std::vector<ProcessEntry>& processes) {
  const RememberedRow selected = RememberSelection(windowList_, kWindowKey);
  rows_.SetRows(TopLevelWindowRows(services_, processes));
  {
    ListUpdate update(windowList_);
    windowList_.Clear();
    for (ListRow& row : rows_.Passing()) AppendRow(windowList_, std::move(row));
    ResortList(windowList_);
  }
  SelectAgain(windowList_, selected, kWindowKey);
}

void TWindowPage::WindowListSelectItem(gui::TListItem*, bool selected) {
  if (!selected) return;  // a deselection leaves the descendants shown
  const gui::TListItem* row = windowList_.Selected();
  if (!row) return;
  const WindowId parent = ParseDecimalModulo32(row->Caption);
  ListUpdate update(childList_);
  childList_.Clear();
  for (ListRow& child : DescendantWindowRows(services_, parent)) AppendRow(childList_, std::move(child));
}

bool TWindowPage::SelectWindow(WindowId topLevel, WindowId window) {
  const int row = FindRowWithText(windowList_, kHandleColumn, WidenAscii(SignedText(topLevel)));
  if (row < 0 || IsGone(windowList_.Item(row))) return false;
  SelectAndShow(windowList_, row);
  if (window != topLevel) {
    const int child = FindRowWithText(childList_, kHandleColumn, WidenAscii(SignedText(window)));
    if (child >= 0) SelectAndShow(childList_, child);
  }
  return true;
}

void TWindowPage::ShowProperties(gui::TForm& owner) {
  // The command acts on the window list that has the keyboard focus, and on nothing otherwise.
  const WindowTarget target = Target();
  if (!target.listFocused) return;
  if (!target.window) {
    gui::Application().MessageBox("没有选定项目。请选择一个要查看属性的项目。", MB_OK | MB_ICONINFORMATION);
    return;
  }
  const WindowId window = *target.window;
  // A row marked gone is a window that has closed: its handle may already name another one.
  if (target.ended || !services_.IsWindow(window)) {
    gui::Application().MessageBox("指定的窗口不存在。请选择刷新按钮来刷新数据。", MB_OK | MB_ICONERROR);
    return;
  }
  TFormWinProp dialog(&owner, services_);
  if (owner.FormStyle() == gui::TFormStyle::fsStayOnTop) dialog.SetFormStyle(gui::TFormStyle::fsStayOnTop);
  dialog.Window = window;
  dialog.ShowModal();
}

void TWindowPage::HoldTarget() {
  target_.Hold([this] { return ReadWindowTarget(windowList_, childList_); });
}

WindowTarget TWindowPage::Target() const {
  return target_.Get([this] { return ReadWindowTarget(windowList_, childList_); });
}

WindowTarget ReadWindowTarget(const gui::TListView& windows, const gui::TListView& children) {
  const gui::TListView* source = windows.Focused() ? &windows : children.Focused() ? &children : nullptr;
  if (source == nullptr) return {};
  WindowTarget target{true, std::nullopt, false};
  if (const gui::TListItem* row = source->Selected()) {
    target.window = ParseDecimalModulo32(row->Text(kHandleColumn));
    target.ended = IsGone(row);
  }
  return target;
}

}  // namespace k32
