#include "gui/listview.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <utility>

#include "common/text.h"
#include "gui/wide_text.h"

namespace k32::gui {

namespace {
const std::wstring kEmpty;

RECT WindowBounds(HWND window) {
  RECT bounds{};
  if (window) GetWindowRect(window, &bounds);
  return bounds;
}

DWORD ViewStyleBits(TViewStyle style) {
  switch (style) {
    case vsIcon:
      return LVS_ICON;
    case vsSmallIcon:
      return LVS_SMALLICON;
    case vsList:
      return LVS_LIST;
    default:
      return LVS_REPORT;
  }
}
}  // namespace

int TListItem::Index() const {
  if (!owner_ || !owner_->HandleAllocated()) return -1;
  LVFINDINFOA find{};
  find.flags = LVFI_PARAM;
  find.lParam = reinterpret_cast<LPARAM>(this);
  return static_cast<int>(SendMessageA(owner_->Handle(), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(&find)));
}

bool TListItem::Selected() const {
  const int index = Index();
  return index >= 0 &&
         (SendMessageA(owner_->Handle(), LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool selected) {
  const int index = Index();
  if (index < 0) return;
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | (selected ? LVIS_FOCUSED : 0);
  state.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  SendMessageA(owner_->Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
}

const std::wstring& TListItem::Text(int column) const {
  if (column == 0) return Caption;
  const auto sub = static_cast<std::size_t>(column - 1);
  return column > 0 && sub < SubItems.size() ? SubItems[sub] : kEmpty;
}

TListView::TListView(TWinControl* parent) : TControl(parent) {}

TListView::~TListView() { DestroyHandle(); }

DWORD TListView::ExtendedStyles() const { return LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES; }

void TListView::CreateParams(TCreateParams& params) {
  params.className = WC_LISTVIEWA;
  params.style |= WS_TABSTOP | ViewStyleBits(viewStyle_) | LVS_SHAREIMAGELISTS | LVS_SINGLESEL |
                  (ReadOnly ? 0 : LVS_EDITLABELS) | (HideSelection ? 0 : LVS_SHOWSELALWAYS);
  params.exStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
  HWND view = Handle();
  SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ExtendedStyles());
  // Rows are asked for in wide text, so names outside the code page reach the screen whole.
  SendMessageA(view, CCM_SETUNICODEFORMAT, TRUE, 0);
  if (SmallImages) SendMessageA(view, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(SmallImages));
  if (stateImages_) SendMessageA(view, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(stateImages_));
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = columns_[i].Alignment;
    column.cx = columns_[i].Visible ? columns_[i].Width : 0;
    column.pszText = columns_[i].Caption.data();
    column.iSubItem = static_cast<int>(i);
    SendMessageA(view, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  if (!keptOrder_.empty()) {
    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    SendMessageA(view, LVM_SETITEMCOUNT, keptOrder_.size(), 0);
    for (std::size_t i = 0; i < keptOrder_.size(); ++i) InsertRow(keptOrder_[i], static_cast<int>(i));
    if (keptSelected_ >= 0) {
      LVITEMA state{};
      state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageA(view, LVM_SETITEMSTATE, keptSelected_, reinterpret_cast<LPARAM>(&state));
    }
    SendMessageA(view, WM_SETREDRAW, TRUE, 0);
  }
  keptOrder_.clear();
  keptSelected_ = -1;
}

// The control lets its rows go while its window is destroyed: they are kept before that.
LRESULT TListView::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
      if (OnKeyDown && OnKeyDown(wparam)) return 0;
      break;
    case WM_DESTROY:
      KeepRows();
      return ReorderingMessage(message, wparam, lparam);
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX:
    case LVM_SETITEMCOUNT:
      return ReorderingMessage(message, wparam, lparam);
    case LVM_SETITEMA:
    case LVM_SETITEMW:
      // A row that takes another item: the order is read again when next asked for.
      if (lparam && (reinterpret_cast<const LVITEMA*>(lparam)->mask & LVIF_PARAM)) order_.Forget();
      break;
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
      // Whatever styles a caller sets, the control paints through a buffer of its own: rows drawn
      // again do not flicker.
      if (wparam == 0 || (wparam & LVS_EX_DOUBLEBUFFER)) lparam |= LVS_EX_DOUBLEBUFFER;
      break;
    default:
      break;
  }
  return TControl::WndProc(message, wparam, lparam);
}

// The control's own answer, with the known order brought in step: an insertion or a deletion is
// made in it too, anything else makes it unknown. While the control works, its notifications may
// read rows: they ask the control itself; should they change rows meanwhile, the order is read again.
LRESULT TListView::ReorderingMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (orderChanging_ > 0) orderNested_ = true;
  ++orderChanging_;
  const LRESULT result = [&] {
    const struct Done {
      int& depth;
      ~Done() { --depth; }
    } done{orderChanging_};
    return TControl::WndProc(message, wparam, lparam);
  }();
  if (orderChanging_ > 0) return result;
  if (std::exchange(orderNested_, false)) {
    order_.Forget();
    return result;
  }
  switch (message) {
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW: {
      const auto* row = reinterpret_cast<const LVITEMA*>(lparam);  // mask and lParam sit alike in both
      if (result < 0) break;
      if (row && (row->mask & LVIF_PARAM))
        order_.Inserted(static_cast<std::size_t>(result), reinterpret_cast<TListItem*>(row->lParam));
      else
        order_.Forget();
      break;
    }
    case LVM_DELETEITEM:
      if (result) order_.Deleted(wparam);
      break;
    case LVM_DELETEALLITEMS:
      if (result) order_.Assign({});
      break;
    default:
      order_.Forget();
      break;
  }
  return result;
}

// Reads the rows' items from the control once; a long list is then read without asking it per row.
bool TListView::LearnOrder() const {
  if (orderChanging_ > 0) return false;
  if (order_.Known()) return true;
  auto* self = const_cast<TListView*>(this);
  const auto count = static_cast<int>(SendMessageA(self->Handle(), LVM_GETITEMCOUNT, 0, 0));
  std::vector<TListItem*> order(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    LVITEMA row{};
    row.mask = LVIF_PARAM;
    row.iItem = i;
    if (!SendMessageA(self->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row))) return false;
    order[static_cast<std::size_t>(i)] = reinterpret_cast<TListItem*>(row.lParam);
  }
  order_.Assign(std::move(order));
  return true;
}

void TListView::KeepRows() {
  for (std::size_t i = 0; i < columns_.size(); ++i) columns_[i].Width = ColumnWidth(static_cast<int>(i));
  keptOrder_.clear();
  const int count = Count();
  for (int i = 0; i < count; ++i) keptOrder_.push_back(Item(i));
  keptSelected_ = SelectedIndex();
}

void TListView::SetViewStyle(TViewStyle style) {
  viewStyle_ = style;
  if (!HandleAllocated()) return;
  const LONG_PTR current = GetWindowLongPtrA(Handle(), GWL_STYLE);
  SetWindowLongPtrA(Handle(), GWL_STYLE, (current & ~LVS_TYPEMASK) | ViewStyleBits(style));
}

void TListView::AddColumn(const std::string& caption, int width, int alignment) {
  columns_.push_back({caption, width, alignment});
  if (!HandleAllocated()) return;
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  column.fmt = alignment;
  column.cx = width;  // a new column is shown
  column.pszText = columns_.back().Caption.data();
  column.iSubItem = ColumnCount() - 1;
  SendMessageA(Handle(), LVM_INSERTCOLUMNA, ColumnCount() - 1, reinterpret_cast<LPARAM>(&column));
}

void TListView::ChangeScale(int oldDpi) {
  TControl::ChangeScale(oldDpi);
  for (int i = 0; i < ColumnCount(); ++i) {
    TListColumn& column = columns_[static_cast<std::size_t>(i)];
    if (const int width = ColumnWidth(i); width != column.Scaled) {
      column.OriginWidth = width;
      column.OriginDpi = oldDpi;
    }
    column.Scaled = ScaleBetweenDpi(column.OriginWidth, column.OriginDpi, Dpi());
    SetColumnWidth(i, column.Scaled);
  }
  if (SmallImages && HandleAllocated())
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(SmallImages));
  if (stateImages_ && HandleAllocated())
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(stateImages_));
}

void TListView::SetStateImages(HIMAGELIST images) {
  stateImages_ = images;
  if (HandleAllocated()) SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(images));
}

int TListView::ColumnWidth(int column) {
  const TListColumn& kept = columns_.at(static_cast<std::size_t>(column));
  if (!HandleAllocated() || !kept.Visible) return kept.Width;
  return static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, column, 0));
}

void TListView::SetColumnWidth(int column, int width) {
  TListColumn& kept = columns_.at(static_cast<std::size_t>(column));
  kept.Width = width;
  if (HandleAllocated() && kept.Visible) SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
}

void TListView::SetColumnVisible(int column, bool visible) {
  TListColumn& kept = columns_.at(static_cast<std::size_t>(column));
  if (kept.Visible == visible) return;
  kept.Width = ColumnWidth(column);
  kept.Visible = visible;
  if (HandleAllocated())
    SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, column, MAKELPARAM(visible ? kept.Width : 0, 0));
}

void TListView::SetColumnCaption(int column, const std::string& caption) {
  auto& kept = columns_.at(static_cast<std::size_t>(column));
  kept.Caption = caption;
  if (!HandleAllocated()) return;
  LVCOLUMNA info{};
  info.mask = LVCF_TEXT;
  info.pszText = kept.Caption.data();
  SendMessageA(Handle(), LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
}

void TListView::InsertRow(TListItem* item, int at) {
  LVITEMA row{};
  row.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_INDENT;
  row.iItem = at;
  row.pszText = LPSTR_TEXTCALLBACKA;
  row.iImage = item->ImageIndex;
  row.iIndent = item->Look.Indent;
  row.lParam = reinterpret_cast<LPARAM>(item);
  if (stateImages_) {  // a list of check boxes keeps the pictures the control gives
    row.mask |= LVIF_STATE;
    row.stateMask = LVIS_STATEIMAGEMASK;
    row.state = INDEXTOSTATEIMAGEMASK(item->Look.StateImage);
  }
  SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
}

TListItem* TListView::AddItem(std::wstring caption, std::vector<std::wstring> subItems, int imageIndex) {
  // past the end appends, without asking the view for its count per row
  return AddItemAt(INT_MAX, std::move(caption), std::move(subItems), imageIndex);
}

TListItem* TListView::AddItemAt(int at, std::wstring caption, std::vector<std::wstring> subItems,
                                int imageIndex, TRowLook look) {
  auto item = std::make_unique<TListItem>();
  item->Look = look;
  item->Caption = std::move(caption);
  item->SubItems = std::move(subItems);
  item->ImageIndex = imageIndex;
  item->owner_ = this;
  item->slot_ = items_.size();
  TListItem* raw = item.get();
  items_.push_back(std::move(item));
  InsertRow(raw, at);
  ItemInserted(raw);
  return raw;
}

void TListView::UpdateItem(int index) {
  const TListItem* item = Item(index);
  if (!item) return;
  LVITEMA row{};
  row.mask = LVIF_IMAGE | LVIF_INDENT;
  row.iItem = index;
  row.iImage = item->ImageIndex;
  row.iIndent = item->Look.Indent;
  if (stateImages_) {
    row.mask |= LVIF_STATE;
    row.stateMask = LVIS_STATEIMAGEMASK;
    row.state = INDEXTOSTATEIMAGEMASK(item->Look.StateImage);
  }
  SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&row));
  SendMessageA(Handle(), LVM_REDRAWITEMS, index, index);
}

void TListView::Clear() {
  if (HandleAllocated()) SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
  items_.clear();
  keptOrder_.clear();
}

// The last owned row takes the forgotten row's place: no search, nothing shifted.
void TListView::ForgetRow(TListItem* item) {
  const std::size_t slot = item->slot_;
  if (slot >= items_.size() || items_[slot].get() != item) return;
  if (slot + 1 != items_.size()) {
    items_[slot] = std::move(items_.back());
    items_[slot]->slot_ = slot;
  }
  items_.pop_back();
}

void TListView::DeleteItem(int index) {
  TListItem* item = Item(index);
  if (item && SendMessageA(Handle(), LVM_DELETEITEM, index, 0)) ForgetRow(item);
}

int TListView::Count() const {
  auto* self = const_cast<TListView*>(this);
  if (!self->HandleAllocated()) return static_cast<int>(keptOrder_.size());
  if (order_.Known() && orderChanging_ == 0) return static_cast<int>(order_.Count());
  return static_cast<int>(SendMessageA(self->Handle(), LVM_GETITEMCOUNT, 0, 0));
}

TListItem* TListView::Item(int index) const {
  auto* self = const_cast<TListView*>(this);
  if (index < 0) return nullptr;
  const auto at = static_cast<std::size_t>(index);
  if (!self->HandleAllocated()) return at < keptOrder_.size() ? keptOrder_[at] : nullptr;
  if (LearnOrder()) return order_.At(at);
  LVITEMA row{};
  row.mask = LVIF_PARAM;
  row.iItem = index;
  if (!SendMessageA(self->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row))) return nullptr;
  return reinterpret_cast<TListItem*>(row.lParam);
}

int TListView::SelectedIndex() const {
  auto* self = const_cast<TListView*>(this);
  if (!self->HandleAllocated()) return keptSelected_;
  return static_cast<int>(
      SendMessageA(self->Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

TListItem* TListView::Selected() const {
  const int index = SelectedIndex();
  return index >= 0 ? Item(index) : nullptr;
}

void TListView::SelectIndex(int index) {
  LVITEMA state{};
  if (index < 0) {
    state.stateMask = LVIS_SELECTED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    return;
  }
  state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
}

void TListView::Sort(PFNLVCOMPARE compare, LPARAM context) {
  SendMessageA(Handle(), LVM_SORTITEMS, context, reinterpret_cast<LPARAM>(compare));
}

TListView::TFrame TListView::FrameOf(HWND window) {
  TFrame frame;
  const RECT bounds = WindowBounds(window);
  frame.width = bounds.right - bounds.left;
  frame.height = bounds.bottom - bounds.top;
  frame.style = GetWindowLongPtrA(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL);
  for (int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    if (GetScrollInfo(window, bar, &info))
      frame.bars[bar] = {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
  }
  return frame;
}

void TListView::BeginUpdate() {
  if (updateDepth_++ != 0 || !HandleAllocated()) return;
  framed_ = FrameOf(Handle());
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListView::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0 && HandleAllocated()) {
    // The control draws its header again too when drawing comes back on: where the rows changed, not
    // the columns, the header is left as it is. Not when a scroll bar came or went meanwhile: the
    // header was laid out anew, over the place the scroll bar held or beside it.
    HWND header = HeaderHandle();
    const RECT before = WindowBounds(header);
    const bool headerClean = header && !GetUpdateRect(header, nullptr, FALSE);
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    // The frame is drawn again only when it changed meanwhile: a control whose drawing is off may
    // set its scroll bars without drawing them.
    const UINT frame = FrameOf(Handle()) == framed_ ? 0 : RDW_FRAME;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | frame);
    const RECT after = WindowBounds(header);
    if (headerClean && EqualRect(&before, &after)) ValidateRect(header, nullptr);
  }
}

void TListView::ContextPopup(POINT screen) {
  if (screen.x == -1 && screen.y == -1 && HandleAllocated()) {
    HWND view = Handle();
    const auto focused = static_cast<int>(SendMessageA(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    const auto top = static_cast<int>(SendMessageA(view, LVM_GETTOPINDEX, 0, 0));
    const auto page = static_cast<int>(SendMessageA(view, LVM_GETCOUNTPERPAGE, 0, 0));
    RECT label{LVIR_LABEL, 0, 0, 0};
    if (focused >= top && focused < top + page &&
        SendMessageA(view, LVM_GETITEMRECT, focused, reinterpret_cast<LPARAM>(&label))) {
      POINT at{std::max<LONG>(label.left, 0), label.bottom};  // a list scrolled sideways: its edge
      ClientToScreen(view, &at);
      screen = at;
    }
  }
  TControl::ContextPopup(screen);
}

HWND TListView::HeaderHandle() const {
  auto* self = const_cast<TListView*>(this);
  return self->HandleAllocated() ? reinterpret_cast<HWND>(SendMessageA(self->Handle(), LVM_GETHEADER, 0, 0))
                                 : nullptr;
}

void TListView::ColClick(int column) {
  if (OnColumnClick) OnColumnClick(column);
}

void TListView::DoSelectItem(TListItem* item, bool selected) {
  if (OnSelectItem) OnSelectItem(item, selected);
}

bool TListView::NotifyReflected(NMHDR* header, LRESULT* result) {
  switch (header->code) {
    case LVN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
      auto* item = reinterpret_cast<TListItem*>(info->item.lParam);
      if (item && (info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
        const std::string text = Narrow(item->Text(info->item.iSubItem));
        // Cut to the control's buffer on a whole character.
        const std::string_view shown = CutAtCharacter(text, static_cast<std::size_t>(info->item.cchTextMax - 1));
        shown.copy(info->item.pszText, shown.size());
        info->item.pszText[shown.size()] = '\0';
      }
      *result = 0;
      return true;
    }
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      auto* item = reinterpret_cast<TListItem*>(info->item.lParam);
      if (item && (info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
        const std::wstring_view shown =
            CutAtCharacter(item->Text(info->item.iSubItem), static_cast<std::size_t>(info->item.cchTextMax - 1));
        shown.copy(info->item.pszText, shown.size());
        info->item.pszText[shown.size()] = L'\0';
      }
      *result = 0;
      return true;
    }
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (!(change->uChanged & LVIF_STATE) || change->iItem < 0) return false;
      const bool was = change->uOldState & LVIS_SELECTED, is = change->uNewState & LVIS_SELECTED;
      if (was != is) {
        auto* item = reinterpret_cast<TListItem*>(change->lParam);
        DoSelectItem(item ? item : Item(change->iItem), is);
      }
      return false;
    }
    case NM_CUSTOMDRAW: {
      auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
      if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *result = CDRF_NOTIFYITEMDRAW;
      } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        const auto* item = reinterpret_cast<const TListItem*>(draw->nmcd.lItemlParam);
        if (item && item->Mark != TRowMark::rmNone)
          draw->clrTextBk = item->Mark == TRowMark::rmNew ? kNewRowColor : kGoneRowColor;
        *result = CDRF_DODEFAULT;
        if (item && item->Look.Dimmed) {
          draw->clrText = GetSysColor(COLOR_GRAYTEXT);
          *result = CDRF_NEWFONT;  // the control takes a changed text colour only when told
        }
      } else {
        *result = CDRF_DODEFAULT;
      }
      return true;
    }
    case LVN_COLUMNCLICK:
      ColClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
      *result = 0;
      return true;
    case NM_CLICK: {
      if (!OnStateImageClick) return false;
      LVHITTESTINFO hit{};
      hit.pt = reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction;
      SendMessageA(Handle(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (hit.iItem >= 0 && hit.iSubItem == 0 && (hit.flags & LVHT_ONITEMSTATEICON)) OnStateImageClick(hit.iItem);
      return false;
    }
    default:
      return false;
  }
}

}  // namespace k32::gui
