#include "listview/ext_list_view.h"

#include <algorithm>
#include <cstring>

#include "common/text.h"
#include "gui/wide_text.h"
#include "listview/control_text.h"
#include "listview/list_settings_codec.h"
#include "listview/list_view_text.h"

namespace k32 {

namespace {

constexpr char kOldComCtlMessage[] = "COMCTL32.DLL 比所需的版本要旧";

bool IsCheckedState(UINT state) { return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2; }

}  // namespace

// --- Column formats --------------------------------------------------------------------------------

int TdfsExtListColumn::Index() const { return collection_->IndexOf(this); }

void TdfsExtListColumn::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  collection_->Update(this);
}

void TdfsExtListColumn::SetImageAlignment(TColumnImageAlign value) {
  if (value == imageAlignment_) return;
  imageAlignment_ = value;
  collection_->Update(this);
}

TdfsExtListColumn* TdfsExtListColumns::Add() {
  items_.push_back(std::make_unique<TdfsExtListColumn>(this));
  return items_.back().get();
}

void TdfsExtListColumns::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  owner_->UpdateColumnImages();
}

void TdfsExtListColumns::Clear() {
  items_.clear();
  owner_->UpdateColumnImages();
}

TdfsExtListColumn* TdfsExtListColumns::Items(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
}

int TdfsExtListColumns::IndexOf(const TdfsExtListColumn* column) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<std::size_t>(i)].get() == column) return i;
  return -1;
}

void TdfsExtListColumns::Update(const TdfsExtListColumn* column) {
  const int index = IndexOf(column);
  owner_->UpdateColumnImage(index);
  owner_->InvalidateColumnHeader(index);
}

// --- The list ------------------------------------------------------------------------------------------

TCustomExtListView::TCustomExtListView(gui::TWinControl* parent) : TCustomEnhListView(parent) {
  SetSaveSettings(std::make_unique<TdfsExtLVSaveSettings>());
}

TCustomExtListView::~TCustomExtListView() { DestroyHandle(); }

void TCustomExtListView::Loaded() {
  TCustomEnhListView::Loaded();
  HandleNeeded();
  UpdateColumnImages();
  AdjustCallbackMask();
}

TLVExtendedStyles TCustomExtListView::GetExtendedStyles() {
  if (HandleAllocated())
    styles_ = ExtendedStylesFromBits(
        static_cast<std::uint32_t>(SendMessageA(Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)));
  return styles_;
}

void TCustomExtListView::SetExtendedStyles(TLVExtendedStyles styles) {
  styles = WithUnderlineActivation(styles);
  if (styles.Contains(lvxSubItemImages) != styles_.Contains(lvxSubItemImages) && HandleAllocated())
    InvalidateRect(Handle(), nullptr, TRUE);
  styles_ = styles;
  if (HandleAllocated()) SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ExtendedStyleBits(styles_));
}

DWORD TCustomExtListView::ExtendedStyles() const { return ExtendedStyleBits(styles_); }

// --- Display order -------------------------------------------------------------------------------------

bool TCustomExtListView::GetColumnOrder(int count, int* order) {
  if (count <= 0 || !order) return false;
  if (HandleAllocated()) {
    std::vector<int> read(static_cast<std::size_t>(count));
    const bool ok =
        SendMessageA(Handle(), LVM_GETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(read.data()));
    if (ok) {
      std::copy(read.begin(), read.end(), order);
      order_ = std::move(read);
    }
    return ok;
  }
  if (order_.empty()) return false;
  for (int i = 0; i < count; ++i)
    order[i] = static_cast<std::size_t>(i) < order_.size() ? order_[static_cast<std::size_t>(i)] : i;
  return true;
}

std::vector<int> TCustomExtListView::GetColumnOrder() {
  std::vector<int> order(static_cast<std::size_t>(ColumnCount()));
  if (order.empty() || !GetColumnOrder(ColumnCount(), order.data())) return {};
  return order;
}

void TCustomExtListView::SetColumnOrder(int count, const int* order) {
  if (count <= 0 || !order) return;
  std::vector<int> wanted(order, order + count);
  // Anything but each column exactly once would leave the header in disorder.
  if (count != ColumnCount() || !IsColumnPermutation(wanted, count)) return;
  order_ = std::move(wanted);
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), LVM_SETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(order_.data()));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TCustomExtListView::SetColumnOrder(const std::vector<int>& order) {
  SetColumnOrder(static_cast<int>(order.size()), order.data());
}

int TCustomExtListView::ActualColumnIndex(int column) {
  if (Parent()) HandleNeeded();
  if (column < 0 || column >= ColumnCount()) return 0;
  const std::vector<int> order = GetColumnOrder();
  const auto at = std::find(order.begin(), order.end(), column);
  if (order.empty()) return column;
  return at == order.end() ? 0 : static_cast<int>(at - order.begin());
}

int TCustomExtListView::GetActualColumn(int position) {
  if (Parent()) HandleNeeded();
  if (position < 0 || position >= ColumnCount()) return -1;
  const std::vector<int> order = GetColumnOrder();
  if (order.empty()) return position;
  return order[static_cast<std::size_t>(position)];
}

// --- Window ----------------------------------------------------------------------------------------------

void TCustomExtListView::CreateParams(gui::TCreateParams& params) {
  TCustomEnhListView::CreateParams(params);
  if (virtualMode_) params.style |= LVS_OWNERDATA;
}

void TCustomExtListView::CreateWnd() {
  TCustomEnhListView::CreateWnd();
  HWND view = Handle();
  SendMessageA(view, LVM_SETSELECTIONMARK, 0, selectionMark_);
  SendMessageA(view, LVM_SETHOVERTIME, 0, static_cast<LPARAM>(hoverTime_));
  SetExtendedStyles(styles_);
  if (virtualMode_ && virtualCount_ >= 0) SendMessageA(view, LVM_SETITEMCOUNT, virtualCount_, 0);
  if (!order_.empty() && static_cast<int>(order_.size()) == ColumnCount()) {
    SendMessageA(view, LVM_SETCOLUMNORDERARRAY, order_.size(), reinterpret_cast<LPARAM>(order_.data()));
    InvalidateRect(view, nullptr, TRUE);
  }
  if (!Loading()) AdjustCallbackMask();
  RestoreRowStates();
}

void TCustomExtListView::DestroyWnd() { TCustomEnhListView::DestroyWnd(); }

LRESULT TCustomExtListView::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    // Kept for the window made next: the order the user left, the marks, check states and images.
    GetColumnOrder();
    selectionMark_ = static_cast<int>(SendMessageA(Handle(), LVM_GETSELECTIONMARK, 0, 0));
    SaveRowStates();
  }
  return TCustomEnhListView::WndProc(message, wparam, lparam);
}

// Overlay images come from the rows. Check states stay with the control (and are carried across a
// re-creation of the window), so the state images are not asked of the rows.
void TCustomExtListView::AdjustCallbackMask() {
  if (!HandleAllocated()) return;
  const auto mask = static_cast<UINT>(SendMessageA(Handle(), LVM_GETCALLBACKMASK, 0, 0)) | LVIS_OVERLAYMASK;
  SendMessageA(Handle(), LVM_SETCALLBACKMASK, mask, 0);
}

// Per row, in row order: the check state (1 byte), then each sub-item's image (4 bytes).
void TCustomExtListView::SaveRowStates() {
  savedRowStates_.clear();
  haveSavedRowStates_ = false;
  if (virtualMode_ || !HandleAllocated()) return;
  const int rows = Count();
  for (int row = 0; row < rows; ++row) {
    savedRowStates_.push_back(Checked(row) ? 1 : 0);
    for (int column = 1; column < ColumnCount(); ++column) {
      LVITEMA item{};
      item.mask = LVIF_IMAGE;
      item.iItem = row;
      item.iSubItem = column;
      item.iImage = -1;
      SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(&item.iImage);
      savedRowStates_.insert(savedRowStates_.end(), bytes, bytes + sizeof item.iImage);
    }
  }
  haveSavedRowStates_ = true;
}

void TCustomExtListView::RestoreRowStates() {
  if (!haveSavedRowStates_) return;
  const std::vector<std::uint8_t> saved = std::move(savedRowStates_);
  savedRowStates_.clear();
  haveSavedRowStates_ = false;
  const std::size_t perRow = 1 + sizeof(int) * static_cast<std::size_t>(std::max(ColumnCount() - 1, 0));
  const int rows = std::min(Count(), static_cast<int>(saved.size() / perRow));
  for (int row = 0; row < rows; ++row) {
    const std::uint8_t* at = saved.data() + static_cast<std::size_t>(row) * perRow;
    if (styles_.Contains(lvxCheckboxes)) SetChecked(row, at[0] != 0);
    if (!styles_.Contains(lvxSubItemImages)) continue;
    for (int column = 1; column < ColumnCount(); ++column) {
      LVITEMA item{};
      item.mask = LVIF_IMAGE;
      item.iItem = row;
      item.iSubItem = column;
      std::memcpy(&item.iImage, at + 1 + sizeof(int) * static_cast<std::size_t>(column - 1), sizeof(int));
      SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
  }
}

// --- Notifications --------------------------------------------------------------------------------------

bool TCustomExtListView::NotifyReflected(NMHDR* header, LRESULT* result) {
  if (virtualMode_ && VirtualNotify(header, result)) return true;
  switch (header->code) {
    case LVN_GETINFOTIPA: {
      GetInfoTip(*reinterpret_cast<NMLVGETINFOTIPA*>(header));
      *result = 1;
      return true;
    }
    case LVN_GETINFOTIPW: {
      auto& wide = *reinterpret_cast<NMLVGETINFOTIPW*>(header);
      *result = 1;
      if (!OnInfoTip && !virtualMode_) {
        GetWideInfoTip(wide);
        return true;
      }
      std::string text = NarrowText(wide.pszText);
      text.resize(std::max<std::size_t>(text.size(), 1024) + 1);
      NMLVGETINFOTIPA narrow{};
      std::memcpy(&narrow, &wide, sizeof narrow);
      narrow.pszText = text.data();
      narrow.cchTextMax = static_cast<int>(text.size());
      GetInfoTip(narrow);
      CopyToBuffer(narrow.pszText, wide.pszText, wide.cchTextMax);
      return true;
    }
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (styles_.Contains(lvxCheckboxes) && (change->uChanged & LVIF_STATE) && change->iItem >= 0 &&
          IsCheckedState(change->uOldState) != IsCheckedState(change->uNewState) &&
          ((change->uOldState ^ change->uNewState) & LVIS_STATEIMAGEMASK))
        ItemChecked(change->iItem);
      return TCustomEnhListView::NotifyReflected(header, result);
    }
    case LVN_HOTTRACK:
      *result = HotTrack(*reinterpret_cast<NMLISTVIEW*>(header)) ? 0 : 1;
      return true;
    case LVN_MARQUEEBEGIN:
      *result = MarqueeBegin() ? 0 : 1;
      return true;
    case LVN_ITEMACTIVATE:
      ItemActivate(*reinterpret_cast<NMITEMACTIVATE*>(header));
      *result = 0;
      return true;
    default:
      return TCustomEnhListView::NotifyReflected(header, result);
  }
}

void TCustomExtListView::GetInfoTip(NMLVGETINFOTIPA& tip) {
  const bool unfolded = tip.dwFlags == LVGIT_UNFOLDED;
  const std::string current = unfolded && tip.pszText ? std::string(tip.pszText) : std::string();
  if (OnInfoTip) {
    std::string additional;
    OnInfoTip(this, tip.iItem, tip.iSubItem, current, additional);
    if (!additional.empty())
      CopyToBuffer(FitInfoTip(current, additional, unfolded, tip.cchTextMax), tip.pszText, tip.cchTextMax);
  } else if (!virtualMode_) {
    if (const TListItem* item = Item(tip.iItem))
      CopyToBuffer(FitInfoTip(current, gui::Narrow(item->Caption), unfolded, tip.cchTextMax), tip.pszText,
                   tip.cchTextMax);
  }
  SinkBelowSiblings();
}

void TCustomExtListView::GetWideInfoTip(NMLVGETINFOTIPW& tip) {
  const TListItem* item = Item(tip.iItem);
  if (item && tip.pszText && tip.cchTextMax > 0) {
    std::wstring text = tip.dwFlags == LVGIT_UNFOLDED ? std::wstring(tip.pszText) : std::wstring();
    text += item->Caption;
    const std::wstring_view fitted = CutAtCharacter(text, static_cast<std::size_t>(tip.cchTextMax - 1));
    fitted.copy(tip.pszText, fitted.size());
    tip.pszText[fitted.size()] = L'\0';
  }
  SinkBelowSiblings();
}

void TCustomExtListView::SinkBelowSiblings() {
  SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void TCustomExtListView::ItemChecked(int index) {
  if (OnItemChecked) OnItemChecked(this, index);
}

bool TCustomExtListView::MarqueeBegin() {
  bool canBegin = true;
  if (OnMarqueeBegin) OnMarqueeBegin(this, canBegin);
  return canBegin;
}

void TCustomExtListView::ItemActivate(const NMITEMACTIVATE& activate) {
  if (OnItemActivate) OnItemActivate(this, activate.iItem, activate.iSubItem);
}

bool TCustomExtListView::HotTrack(NMLISTVIEW& track) {
  bool canSelect = true;
  if (OnHotTrack) OnHotTrack(this, track.iItem, track.iSubItem, canSelect);
  return canSelect;
}

// --- Header ------------------------------------------------------------------------------------------------

int TCustomExtListView::ColumnImage(int index, bool* left) {
  const TdfsExtListColumn* format = columnsFormat_.Items(index);
  if (!format || !SmallImages || index >= ColumnCount()) return -1;
  const int image = format->ImageIndex();
  if (image < 0 || image >= ImageList_GetImageCount(SmallImages)) return -1;
  if (left) *left = format->ImageAlignment() == ciaLeftOfText;
  return image;
}

void TCustomExtListView::DefaultDrawHeader(TCanvas& canvas, int index, const RECT& rect, bool selected) {
  bool left = false;
  const int image = ColumnImage(index, &left);
  PaintHeaderItem(canvas, index, rect, selected, image, left);
}

// A hidden column is not opened by dragging its divider: the column menu shows it.
bool TCustomExtListView::ColumnResizeAllowed(int index) {
  if (index >= 0 && index < ColumnCount() && !ColumnVisible(index)) return false;
  const TdfsExtListColumn* format = columnsFormat_.Items(index);
  return !format || format->AllowResize();
}

void TCustomExtListView::UpdateColumnImage(int index) {
  HWND header = CapturedHeader();
  if (!header || !HandleAllocated() || index < 0 || index >= ColumnCount() || HeaderOwnerDrawn()) return;
  bool left = false;
  const int image = ColumnImage(index, &left);
  HDITEMA item{};
  item.mask = HDI_FORMAT;
  if (!SendMessageA(header, HDM_GETITEMA, index, reinterpret_cast<LPARAM>(&item))) return;
  item.fmt &= ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
  if (image >= 0) {
    SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(SmallImages));
    item.mask |= HDI_IMAGE;
    item.fmt |= HDF_IMAGE | (left ? 0 : HDF_BITMAP_ON_RIGHT);
    item.iImage = image;
  }
  SendMessageA(header, HDM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
}

void TCustomExtListView::UpdateColumnImages() {
  for (int i = 0; i < ColumnCount(); ++i) UpdateColumnImage(i);
}

// --- Common controls
// ----------------------------------------------------------------------------------------

bool FileVersionAtLeast(const char* file, WORD major, WORD minor, WORD release, WORD build) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file, &ignored);
  if (size == 0) return false;
  std::vector<std::uint8_t> data(size);
  if (!GetFileVersionInfoA(file, 0, size, data.data())) return false;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO))
    return false;
  const std::array<WORD, 4> have{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                                 HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
  const std::array<WORD, 4> want{major, minor, release, build};
  return have >= want;
}

bool TCustomExtListView::CheckComCtlVersion(WORD major, WORD minor, WORD release, WORD build) {
  return FileVersionAtLeast("COMCTL32.DLL", major, minor, release, build);
}

void TCustomExtListView::SetRequireComCtlUpdate(bool value) {
  requireComCtlUpdate_ = value;
  if (value && !CheckComCtlVersion(4, 70, 0, 0)) throw EELVOldComCtl(kOldComCtlMessage);
}

}  // namespace k32
