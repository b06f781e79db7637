// Rows supplied by handlers (virtual mode), and the operations that reach the control's own state.
#include <algorithm>

#include "gui/wide_text.h"
#include "listview/control_text.h"
#include "listview/ext_list_view.h"

namespace k32 {

namespace {

// Fills a row request of either character set from what the handler gave.
template <typename Item>
void FillItem(Item& item, const TVMItemInfo& info) {
  if (item.mask & LVIF_TEXT) CopyToBuffer(info.Text, item.pszText, item.cchTextMax);
  if (item.mask & LVIF_IMAGE) item.iImage = info.Image;
  if (item.mask & LVIF_INDENT) item.iIndent = info.Indent;
  if (item.mask & LVIF_STATE) item.state = (item.state & ~info.StateMask) | (info.State & info.StateMask);
}

}  // namespace

void TCustomExtListView::SetVirtualMode(bool value) {
  if (value == virtualMode_) return;
  virtualMode_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomExtListView::SetVirtualItemCount(int count) {
  virtualCount_ = std::max(count, 0);
  if (virtualMode_ && HandleAllocated()) SendMessageA(Handle(), LVM_SETITEMCOUNT, virtualCount_, 0);
}

bool TCustomExtListView::VirtualNotify(NMHDR* header, LRESULT* result) {
  switch (header->code) {
    case LVN_GETDISPINFOA:
      VMGetDispInfo(reinterpret_cast<NMLVDISPINFOA*>(header)->item);
      *result = 0;
      return true;
    case LVN_GETDISPINFOW: {
      LVITEMW& wide = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
      TVMItemInfo info{wide.iItem, wide.iSubItem, wide.mask, {}, wide.iImage, wide.iIndent, 0, 0};
      if (OnVMGetItemInfo) OnVMGetItemInfo(this, info);
      FillItem(wide, info);
      *result = 0;
      return true;
    }
    case LVN_ODCACHEHINT:
      VMCacheHint(*reinterpret_cast<NMLVCACHEHINT*>(header));
      *result = 0;
      return true;
    case LVN_ODFINDITEMA:
      *result = VMFindItem(*reinterpret_cast<NMLVFINDITEMA*>(header));
      return true;
    case LVN_ODFINDITEMW: {
      const auto& wide = *reinterpret_cast<NMLVFINDITEMW*>(header);
      const std::string text =
          (wide.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) ? NarrowText(wide.lvfi.psz) : "";
      NMLVFINDITEMA narrow{};
      narrow.hdr = wide.hdr;
      narrow.iStart = wide.iStart;
      narrow.lvfi.flags = wide.lvfi.flags;
      narrow.lvfi.psz = text.c_str();
      narrow.lvfi.lParam = wide.lvfi.lParam;
      *result = VMFindItem(narrow);
      return true;
    }
    case LVN_ODSTATECHANGED:
      VMStateChanged(*reinterpret_cast<NMLVODSTATECHANGE*>(header));
      *result = 0;
      return true;
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW: {
      const auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
      const bool canceled = info->item.pszText == nullptr;
      std::string text;
      if (!canceled)
        text = header->code == LVN_ENDLABELEDITW
                   ? NarrowText(reinterpret_cast<const NMLVDISPINFOW*>(header)->item.pszText)
                   : std::string(info->item.pszText);
      if (OnVMCaptionEdited) OnVMCaptionEdited(this, info->item.iItem, canceled, text);
      *result = FALSE;
      return true;
    }
    default:
      return false;
  }
}

void TCustomExtListView::VMGetDispInfo(LVITEMA& item) {
  TVMItemInfo info{item.iItem, item.iSubItem, item.mask, {}, item.iImage, item.iIndent, 0, 0};
  if (OnVMGetItemInfo) OnVMGetItemInfo(this, info);
  FillItem(item, info);
}

void TCustomExtListView::VMCacheHint(const NMLVCACHEHINT& hint) {
  if (OnVMCacheHint) OnVMCacheHint(this, hint.iFrom, hint.iTo);
}

int TCustomExtListView::VMFindItem(const NMLVFINDITEMA& find) {
  int found = -1;
  const bool byText = find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL);
  const std::string text = byText && find.lvfi.psz ? std::string(find.lvfi.psz) : std::string();
  if (OnVMFindItem)
    OnVMFindItem(this, text, find.iStart, (find.lvfi.flags & LVFI_PARTIAL) != 0,
                 (find.lvfi.flags & LVFI_WRAP) != 0, found);
  return found;
}

void TCustomExtListView::VMStateChanged(const NMLVODSTATECHANGE& change) {
  if (OnVMStateChanged) OnVMStateChanged(this, change.iFrom, change.iTo, change.uOldState, change.uNewState);
}

std::wstring TCustomExtListView::GetSubItemText(int index, int subItem) {
  if (!virtualMode_) return TCustomEnhListView::GetSubItemText(index, subItem);
  TVMItemInfo info{index, subItem, LVIF_TEXT, {}, -1, 0, 0, 0};
  if (OnVMGetItemInfo) OnVMGetItemInfo(this, info);
  return gui::Wide(info.Text);
}

// --- The control's own state ------------------------------------------------------------------------------

int TCustomExtListView::HoverTime() {
  if (HandleAllocated()) hoverTime_ = static_cast<int>(SendMessageA(Handle(), LVM_GETHOVERTIME, 0, 0));
  return hoverTime_;
}

void TCustomExtListView::SetHoverTime(int milliseconds) {
  hoverTime_ = milliseconds;
  if (HandleAllocated()) SendMessageA(Handle(), LVM_SETHOVERTIME, 0, static_cast<LPARAM>(milliseconds));
}

int TCustomExtListView::SelectionMark() {
  if (HandleAllocated())
    selectionMark_ = static_cast<int>(SendMessageA(Handle(), LVM_GETSELECTIONMARK, 0, 0));
  return selectionMark_;
}

void TCustomExtListView::SetSelectionMark(int index) {
  selectionMark_ = index;
  if (HandleAllocated()) SendMessageA(Handle(), LVM_SETSELECTIONMARK, 0, index);
}

bool TCustomExtListView::Checked(int index) {
  if (!HandleAllocated()) return false;
  return ((SendMessageA(Handle(), LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >>
          12) == 2;
}

void TCustomExtListView::SetChecked(int index, bool checked) {
  if (!HandleAllocated()) return;
  LVITEMA state{};
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessageA(Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
}

RECT TCustomExtListView::GetSubItemRect(int index, int subItem, int part) {
  RECT rect{};
  rect.top = subItem;
  rect.left = part;
  if (!HandleAllocated() ||
      !SendMessageA(Handle(), LVM_GETSUBITEMRECT, index, reinterpret_cast<LPARAM>(&rect)))
    return RECT{};
  return rect;
}

int TCustomExtListView::GetSubItemAt(POINT point, int* subItem) {
  LVHITTESTINFO hit{};
  hit.pt = point;
  const int row =
      HandleAllocated()
          ? static_cast<int>(SendMessageA(Handle(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)))
          : -1;
  if (subItem) *subItem = row >= 0 ? hit.iSubItem : -1;
  return row;
}

int TCustomExtListView::HotItem() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), LVM_GETHOTITEM, 0, 0)) : -1;
}

void TCustomExtListView::SetHotItem(int index) {
  if (HandleAllocated()) SendMessageA(Handle(), LVM_SETHOTITEM, index, 0);
}

HCURSOR TCustomExtListView::HotCursor() {
  return HandleAllocated() ? reinterpret_cast<HCURSOR>(SendMessageA(Handle(), LVM_GETHOTCURSOR, 0, 0))
                           : nullptr;
}

void TCustomExtListView::SetHotCursor(HCURSOR cursor) {
  if (HandleAllocated()) SendMessageA(Handle(), LVM_SETHOTCURSOR, 0, reinterpret_cast<LPARAM>(cursor));
}

RECT TCustomExtListView::WorkArea() {
  RECT area{};
  if (HandleAllocated()) SendMessageA(Handle(), LVM_GETWORKAREAS, 1, reinterpret_cast<LPARAM>(&area));
  return area;
}

void TCustomExtListView::SetWorkArea(const RECT& area) {
  if (HandleAllocated()) SendMessageA(Handle(), LVM_SETWORKAREAS, 1, reinterpret_cast<LPARAM>(&area));
}

int TCustomExtListView::ItemIndent(int index) {
  LVITEMA item{};
  item.mask = LVIF_INDENT;
  item.iItem = index;
  if (!HandleAllocated() || !SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
    return 0;
  return item.iIndent;
}

void TCustomExtListView::SetItemIndent(int index, int indent) {
  LVITEMA item{};
  item.mask = LVIF_INDENT;
  item.iItem = index;
  item.iIndent = indent;
  if (HandleAllocated()) SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace k32
