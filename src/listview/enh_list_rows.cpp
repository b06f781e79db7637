// Rows drawn by the list itself, the incremental search by typing, and the helper operations.
#include <algorithm>

#include "gui/wide_text.h"
#include "listview/canvas_scope.h"
#include "listview/control_text.h"
#include "listview/enh_list_view.h"
#include "listview/user_sort_locale.h"

namespace k32 {

void TCustomEnhListView::SetStyle(TLVStyle value) {
  if (value == style_) return;
  style_ = value;
  if (HandleAllocated()) RecreateWnd();
}

// The control asks for the row height when it is sized: a size message with the window's own
// place and size makes it ask again.
void TCustomEnhListView::RecomputeRowHeight() {
  if (!HandleAllocated()) return;
  RECT rect{};
  GetWindowRect(Handle(), &rect);
  MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&rect), 2);
  WINDOWPOS pos{};
  pos.hwnd = Handle();
  pos.x = rect.left;
  pos.y = rect.top;
  pos.cx = rect.right - rect.left;
  pos.cy = rect.bottom - rect.top;
  pos.flags = SWP_NOZORDER | SWP_NOACTIVATE;
  SendMessageA(Handle(), WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

bool TCustomEnhListView::MeasureItemReflected(MEASUREITEMSTRUCT* item) {
  if (item->CtlType != ODT_LISTVIEW) return false;
  UINT height = item->itemHeight;
  MeasureItem(height);
  item->itemHeight = std::max<UINT>(height, 1);
  return true;
}

void TCustomEnhListView::MeasureItem(UINT& height) {
  if (OnMeasureItem) OnMeasureItem(this, height);
}

bool TCustomEnhListView::DrawItemReflected(DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_LISTVIEW || style_ != lvOwnerDrawFixed || !canvas_) return false;
  ProcessDrawItemMsg(item);
  return true;
}

void TCustomEnhListView::ProcessDrawItemMsg(DRAWITEMSTRUCT* item) {
  TCanvas& canvas = *canvas_;
  const CanvasScope scope(canvas, item->hDC);
  canvas.Font = Font() ? Font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SelectObject(canvas.Handle, canvas.Font);
  canvas.BrushColor = GetSysColor(COLOR_WINDOW);
  const int index = static_cast<int>(item->itemID);
  bool defaultDrawing = true;
  bool fullRowSelect =
      (SendMessageA(Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT) != 0;
  DrawItem(canvas, index, item->rcItem, item->itemState, defaultDrawing, fullRowSelect);
  if (!defaultDrawing) return;
  DefaultDrawItem(canvas, index, item->rcItem, item->itemState, fullRowSelect);
  AfterDrawItem(canvas, index, item->rcItem, item->itemState);
}

void TCustomEnhListView::DrawItem(TCanvas& canvas, int index, RECT rect, UINT state, bool& defaultDrawing,
                                  bool& fullRowSelect) {
  if (OnDrawItem) OnDrawItem(this, canvas, index, rect, state, defaultDrawing, fullRowSelect);
}

void TCustomEnhListView::DefaultDrawItem(TCanvas& canvas, int index, RECT rect, UINT state,
                                         bool fullRowSelect) {
  HWND header = GetHeaderHandle();
  const bool selected = (state & ODS_SELECTED) != 0;
  for (int position = 0; position < ColumnCount(); ++position) {
    const int column = GetActualColumn(position);
    if (column < 0) continue;
    RECT cell = rect;
    RECT headerItem{};
    if (header && SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&headerItem))) {
      cell.left = rect.left + headerItem.left;
      cell.right = rect.left + headerItem.right;
    }
    const bool highlighted = selected && (fullRowSelect || column == 0);
    canvas.BrushColor = GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    SetTextColor(canvas.Handle, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    bool defaultDrawing = true;
    DrawSubItem(canvas, index, column, cell, state, defaultDrawing);
    if (defaultDrawing) DefaultDrawSubItem(canvas, index, column, cell, state);
  }
  if (state & ODS_FOCUS) DrawFocusRect(canvas.Handle, &rect);
}

void TCustomEnhListView::DrawSubItem(TCanvas& canvas, int index, int subItem, RECT rect, UINT state,
                                     bool& defaultDrawing) {
  if (OnDrawSubItem) OnDrawSubItem(this, canvas, index, subItem, rect, state, defaultDrawing);
}

void TCustomEnhListView::DefaultDrawSubItem(TCanvas& canvas, int index, int subItem, RECT rect, UINT) {
  canvas.FillRect(rect);
  RECT text = rect;
  text.left += 2;
  if (subItem == 0 && SmallImages) {
    const TListItem* item = Item(index);
    int width = 0, height = 0;
    ImageList_GetIconSize(SmallImages, &width, &height);
    if (item && item->ImageIndex >= 0)
      ImageList_Draw(SmallImages, item->ImageIndex, canvas.Handle, text.left,
                     rect.top + (rect.bottom - rect.top - height) / 2, ILD_TRANSPARENT);
    text.left += width + 2;
  }
  text.left += 2;
  text.right -= 4;
  const auto caption = GetSubItemText(index, subItem);
  const int alignment =
      subItem >= 0 && subItem < ColumnCount() ? Columns()[static_cast<std::size_t>(subItem)].Alignment : 0;
  SetBkMode(canvas.Handle, TRANSPARENT);
  DrawTextW(canvas.Handle, caption.c_str(), static_cast<int>(caption.size()), &text,
            DrawTextAlignment(alignment) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void TCustomEnhListView::AfterDrawItem(TCanvas& canvas, int index, RECT rect, UINT state) {
  if (OnAfterDefaultDrawItem) OnAfterDefaultDrawItem(this, canvas, index, rect, state);
}

std::wstring TCustomEnhListView::GetSubItemText(int index, int subItem) {
  const TListItem* item = Item(index);
  return item ? item->Text(subItem) : std::wstring();
}

// --- Incremental search ------------------------------------------------------------------------------

bool TCustomEnhListView::HandleSearchKey(char key) {
  const DWORD now = GetTickCount();
  std::string text = typed_.With(key, now);
  if (StringSelect(text, std::max(lastColumnClicked_, 0))) {
    typed_.Commit(std::move(text), now);
    return true;
  }
  MessageBeep(MB_ICONHAND);
  return false;
}

bool TCustomEnhListView::StringSelect(const std::string& text, int column) {
  return SelectMatching(text, column, true);
}

bool TCustomEnhListView::SubStringSelect(const std::string& text, int column) {
  return SelectMatching(text, column, false);
}

bool TCustomEnhListView::SelectMatching(const std::string& text, int column, bool prefix) {
  const int count = Count();
  if (count == 0 || text.empty() || !HandleAllocated()) return false;
  const std::wstring part = gui::Wide(text);
  const int selected = SelectedIndex();
  const int start = (selected >= 0 ? selected : 0) + 1;
  for (int k = 0; k < count; ++k) {
    const int row = (start + k) % count;
    const auto cell = GetSubItemText(row, column);
    const bool match = prefix ? StartsWithIgnoringCase(cell, part) : ContainsIgnoringCase(cell, part);
    if (!match) continue;
    SelectIndex(row);
    SendMessageA(Handle(), LVM_ENSUREVISIBLE, row, FALSE);
    return true;
  }
  return false;
}

// --- Helpers -----------------------------------------------------------------------------------------

void TCustomEnhListView::ResizeColumns(TResizeMethod method) {
  if (!HandleAllocated()) return;
  const int how = method == rmFitHeader ? LVSCW_AUTOSIZE_USEHEADER : LVSCW_AUTOSIZE;
  for (int i = 0; i < ColumnCount(); ++i) {
    SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, i, MAKELPARAM(how, 0));
    ColumnList()[static_cast<std::size_t>(i)].Width =
        static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, i, 0));
  }
}

void TCustomEnhListView::MoveItem(int from, int to) {
  const int count = Count();
  if (!HandleAllocated() || from < 0 || from >= count || to < 0 || to >= count || from == to) return;
  TListItem* item = Item(from);
  if (!item) return;
  const bool selected = item->Selected();
  SendMessageA(Handle(), LVM_DELETEITEM, from, 0);  // the row object stays the list's
  InsertRow(item, to);
  if (selected) SelectIndex(to);
}

}  // namespace k32
