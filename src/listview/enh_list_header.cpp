// The column header of the sortable list: taken over from the control, drawn by the list with the
// sort arrow on the sort column, and kept from resizing where that is locked.
#include <windowsx.h>

#include <unordered_map>

#include "gui/guard.h"
#include "listview/canvas_scope.h"
#include "listview/control_text.h"
#include "listview/enh_list_view.h"
#include "listview/header_layout.h"

namespace k32 {

namespace {

// Each taken-over header's list, looked up at every message the header gets (the list sends it one
// per row taken out): a map of this thread's, not a window property found by its name.
std::unordered_map<HWND, TCustomEnhListView*>& HeaderOwners() {
  thread_local std::unordered_map<HWND, TCustomEnhListView*> owners;
  return owners;
}
constexpr UINT kCaptionFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

// Writing the header's formats makes it report item changes, which would write them again.
bool ownerDrawFlagGuard = false;

HeaderRect ToHeaderRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const HeaderRect& r) { return {r.left, r.top, r.right, r.bottom}; }

HeaderAlign AlignmentOf(int alignment) {
  switch (alignment & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
      return HeaderAlign::kRight;
    case LVCFMT_CENTER:
      return HeaderAlign::kCenter;
    default:
      return HeaderAlign::kLeft;
  }
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

}  // namespace

// --- Capture ---------------------------------------------------------------------------------------

void TCustomEnhListView::CaptureHeader(HWND header) {
  if (!header || header_) return;
  header_ = header;
  HeaderOwners()[header] = this;
  headerPrevious_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCustomEnhListView::HeaderProc)));
}

void TCustomEnhListView::ReleaseHeader() {
  if (header_ && IsWindow(header_) && headerPrevious_)
    SetWindowLongPtrW(header_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(headerPrevious_));
  if (header_) HeaderOwners().erase(header_);
  header_ = nullptr;
  headerPrevious_ = nullptr;
}

HWND TCustomEnhListView::GetHeaderHandle() {
  if (header_) return header_;
  return HandleAllocated() ? reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0)) : nullptr;
}

LRESULT CALLBACK TCustomEnhListView::HeaderProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto owner = HeaderOwners().find(window);
  TCustomEnhListView* self = owner == HeaderOwners().end() ? nullptr : owner->second;
  if (!self || self->header_ != window) {
    if (message == WM_NCDESTROY) HeaderOwners().erase(window);
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return gui::Guarded([&] { return self->HeaderWndProc(message, wparam, lparam); });
}

LRESULT TCustomEnhListView::HeaderWndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND header = header_;
  WNDPROC previous = headerPrevious_;
  switch (message) {
    case WM_NCDESTROY: {
      const LRESULT result = CallWindowProcW(previous, header, message, wparam, lparam);
      HeaderOwners().erase(header);
      header_ = nullptr;
      headerPrevious_ = nullptr;
      return result;
    }
    case WM_SETCURSOR: {
      POINT point{};
      GetCursorPos(&point);
      ScreenToClient(header, &point);
      if (ColumnResizeLocked(point)) {
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
      }
      break;
    }
    case WM_NCHITTEST: {
      POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      ScreenToClient(header, &point);
      if (ColumnResizeLocked(point)) {
        HDHITTESTINFO hit{};
        hit.pt = point;
        SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (!(hit.flags & HHT_ONHEADER)) return HTNOWHERE;  // on a divider
      }
      break;
    }
    default:
      break;
  }
  return CallWindowProcW(previous, header, message, wparam, lparam);
}

bool TCustomEnhListView::ColumnResizeLocked(POINT headerPoint) {
  if (noColumnResize_) return true;
  HDHITTESTINFO hit{};
  hit.pt = headerPoint;
  SendMessageA(header_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return hit.iItem >= 0 && !ColumnResizeAllowed(hit.iItem);
}

void TCustomEnhListView::FillColumnMenu(gui::TPopupMenu& menu) {
  menu.Clear();
  for (int position = 0; position < ColumnCount(); ++position) {
    const int column = GetActualColumn(position);
    if (column < 0) continue;
    gui::TMenuItem* item = menu.Add({"", Columns()[static_cast<std::size_t>(column)].Caption.c_str(), nullptr,
                                     [this, column] {
                                       SetColumnVisible(column, !ColumnVisible(column));
                                       InvalidateRect(Handle(), nullptr, TRUE);
                                     }});
    item->SetChecked(ColumnVisible(column));
    item->SetEnabled(column != 0);
  }
}

// --- Header notifications ------------------------------------------------------------------------

bool TCustomEnhListView::HeaderNotify(NMHEADERA* header, LRESULT* result) {
  const auto passOn = [&] {
    return DefaultHandler(WM_NOTIFY, header->hdr.idFrom, reinterpret_cast<LPARAM>(header));
  };
  switch (header->hdr.code) {
    case NM_RCLICK: {
      const DWORD at = GetMessagePos();
      gui::TPopupMenu menu("ColumnMenu");
      FillColumnMenu(menu);
      menu.Popup(GET_X_LPARAM(at), GET_Y_LPARAM(at), Handle());
      *result = 1;  // the list's own menu is not for its header
      return true;
    }
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW: {
      const bool track = header->hdr.code == HDN_BEGINTRACKA || header->hdr.code == HDN_BEGINTRACKW;
      UpdateColumnImage(header->iItem);
      POINT point{};
      GetCursorPos(&point);
      ScreenToClient(header_, &point);
      HDHITTESTINFO hit{};
      hit.pt = point;
      SendMessageA(header_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if ((hit.iItem >= 0 && !ColumnResizeAllowed(hit.iItem)) || (track && noColumnResize_)) {
        *result = 1;
        return true;
      }
      *result = passOn();
      if (track) {
        UpdateOwnerDrawFlagAfterNotify();
      } else if (header->iItem >= 0 && header->iItem < ColumnCount()) {
        // The control sized the column to its contents: the column keeps the new width.
        ColumnList()[static_cast<std::size_t>(header->iItem)].Width =
            static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, header->iItem, 0));
      }
      return true;
    }
    case HDN_TRACKA:
    case HDN_TRACKW:
      if (!noColumnResize_) return false;
      *result = 1;
      return true;
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
      *result = passOn();
      UpdateOwnerDrawFlagAfterNotify();
      return true;
    case HDN_ENDDRAG:
      // The header completes the move itself (the answer stays 0); the control is told too, so
      // that it takes its columns' places from the header again.
      InvalidateRect(Handle(), nullptr, TRUE);
      passOn();
      *result = 0;
      return true;
    default:
      return false;
  }
}

void TCustomEnhListView::UpdateOwnerDrawFlagAfterNotify() {
  if (ownerDrawFlagGuard) return;
  ownerDrawFlagGuard = true;
  struct Done {
    ~Done() { ownerDrawFlagGuard = false; }
  } done;
  SetColumnsOwnerDrawFlag(onDrawHeader_ || showSortArrows_);
}

// --- Owner drawing -----------------------------------------------------------------------------------

void TCustomEnhListView::SetColumnsOwnerDrawFlag(bool on) {
  if (!HandleAllocated()) return;
  if (HWND header = header_) {
    for (int i = 0; i < ColumnCount(); ++i) {
      HDITEMA item{};
      item.mask = HDI_FORMAT;
      if (!SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item))) continue;
      const int format = on ? item.fmt | HDF_OWNERDRAW : item.fmt & ~HDF_OWNERDRAW;
      if (format == item.fmt) continue;  // unchanged: no need to make the header report a change
      item.fmt = format;
      SendMessageA(header, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  if (on) {
    if (!canvas_) canvas_ = std::make_unique<TCanvas>();
  } else if (style_ != lvOwnerDrawFixed) {
    canvas_.reset();
  }
}

bool TCustomEnhListView::HeaderOwnerDrawn() {
  if (!header_ || ColumnCount() == 0) return false;
  HDITEMA item{};
  item.mask = HDI_FORMAT;
  return SendMessageA(header_, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) &&
         (item.fmt & HDF_OWNERDRAW);
}

void TCustomEnhListView::SetOnDrawHeader(TLVDrawHeaderEvent handler) {
  onDrawHeader_ = std::move(handler);
  SetColumnsOwnerDrawFlag(onDrawHeader_ || showSortArrows_);
}

void TCustomEnhListView::SetSmallImages(HIMAGELIST images) {
  SmallImages = images;
  if (HandleAllocated())
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  SetColumnsOwnerDrawFlag(onDrawHeader_ || showSortArrows_);
}

void TCustomEnhListView::DrawHeaderItem(DRAWITEMSTRUCT* item) {
  const CanvasScope scope(*canvas_, item->hDC);
  ProcessDrawHeaderMsg(*canvas_, static_cast<int>(item->itemID), item->rcItem,
                       (item->itemState & ODS_SELECTED) != 0);
}

void TCustomEnhListView::ProcessDrawHeaderMsg(TCanvas& canvas, int index, const RECT& rect, bool selected) {
  canvas.Font = Font() ? Font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SelectObject(canvas.Handle, canvas.Font);
  canvas.BrushColor = GetSysColor(COLOR_BTNFACE);
  RECT r = rect;
  if (DrawHeader(canvas, index, r, selected)) DefaultDrawHeader(canvas, index, r, selected);
}

bool TCustomEnhListView::DrawHeader(TCanvas& canvas, int index, RECT& rect, bool selected) {
  bool defaultDrawing = true;
  if (onDrawHeader_) onDrawHeader_(this, canvas, index, rect, selected, defaultDrawing);
  return defaultDrawing;
}

void TCustomEnhListView::DefaultDrawHeader(TCanvas& canvas, int index, const RECT& rect, bool selected) {
  PaintHeaderItem(canvas, index, rect, selected, -1, false);
}

void TCustomEnhListView::PaintHeaderItem(TCanvas& canvas, int index, const RECT& rect, bool selected,
                                         int imageIndex, bool imageLeft) {
  HDC dc = canvas.Handle;
  HeaderItemRequest request;
  request.item = ToHeaderRect(rect);
  request.selected = selected;
  request.isColumn = index >= 0 && index < ColumnCount();
  const gui::TListColumn* column = request.isColumn ? &Columns()[static_cast<std::size_t>(index)] : nullptr;
  UINT flags = kCaptionFlags;
  if (column) {
    request.align = AlignmentOf(column->Alignment);
    flags |= DrawTextAlignment(column->Alignment);
  }
  int imageWidth = 0, imageHeight = 0;
  if (imageIndex >= 0 && SmallImages && ImageList_GetIconSize(SmallImages, &imageWidth, &imageHeight)) {
    request.image = true;
    request.imageSide = imageLeft ? HeaderImageSide::kLeftOfText : HeaderImageSide::kRightOfText;
    request.imageWidth = imageWidth;
    request.imageHeight = imageHeight;
  }
  HBITMAP arrow = nullptr;
  if (column && showSortArrows_ && index == lastColumnClicked_ &&
      (autoColumnSort_ != acsNoSort || OnSortItems)) {
    arrow = currentSortAscending_ ? ascendingArrow_.Get() : descendingArrow_.Get();
    const SIZE size = BitmapSize(arrow);
    request.arrow = true;
    request.arrowWidth = size.cx;
    request.arrowHeight = size.cy;
  }
  std::string caption = column ? column->Caption : std::string();
  const auto measure = [&](const HeaderRect& t) {
    RECT c = ToRect(t);
    DrawTextExA(dc, caption.data(), static_cast<int>(caption.size()), &c, flags | DT_CALCRECT, nullptr);
    return ToHeaderRect(c);
  };
  const HeaderItemLayout layout = LayoutHeaderItem(request, measure);

  const RECT fill = ToRect(layout.fill);
  canvas.FillRect(fill);
  if (layout.caption) {
    RECT text = ToRect(layout.text);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextExA(dc, caption.data(), static_cast<int>(caption.size()), &text, flags, nullptr);
  }
  if (layout.image)
    ImageList_Draw(SmallImages, imageIndex, dc, layout.imageX, layout.imageY, ILD_TRANSPARENT);
  if (layout.arrow && arrow) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, arrow);
    BitBlt(dc, layout.arrowX, layout.arrowY, request.arrowWidth, request.arrowHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }
}

// --- Arrow pictures ----------------------------------------------------------------------------------

HBITMAP TCustomEnhListView::SortArrowBitmap(bool ascending) const {
  return ascending ? ascendingArrow_.Get() : descendingArrow_.Get();
}

void TCustomEnhListView::BuildSortArrows() { CreateSortBmps(ascendingArrow_, descendingArrow_); }

void TCustomEnhListView::CreateSortBmps(gui::BitmapHandle& ascending, gui::BitmapHandle& descending) {
  gui::WindowDC screen(nullptr);
  HDC dc = CreateCompatibleDC(screen.Get());
  struct Dc {
    HDC dc;
    ~Dc() { DeleteDC(dc); }
  } own{dc};
  HFONT font = Font() ? Font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HGDIOBJ oldFont = SelectObject(dc, font);
  SIZE text{};
  GetTextExtentPoint32A(dc, "Wy", 2, &text);
  SelectObject(dc, oldFont);
  int s = text.cy - 6;
  if (s <= 0) return;
  if (s % 2) ++s;
  const int h = s / 2;
  ascending.Reset(CreateCompatibleBitmap(screen.Get(), s, s));
  descending.Reset(CreateCompatibleBitmap(screen.Get(), s, s));

  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  gui::PenHandle shadowPen(CreatePen(PS_SOLID, 1, shadow));
  gui::PenHandle highlightPen(CreatePen(PS_SOLID, 1, highlight));
  gui::BrushHandle faceBrush(CreateSolidBrush(face));
  const RECT all{0, 0, s, s};

  HBITMAP down = reverseSortArrows_ ? ascending.Get() : descending.Get();
  HBITMAP up = reverseSortArrows_ ? descending.Get() : ascending.Get();
  HGDIOBJ oldBitmap = SelectObject(dc, down);
  HGDIOBJ oldPen = SelectObject(dc, shadowPen.Get());
  FillRect(dc, &all, faceBrush.Get());
  Line(dc, h, s - 2, s - 1, 0);
  SetPixel(dc, s - 1, 0, shadow);
  SelectObject(dc, highlightPen.Get());
  Line(dc, s - 2, 0, 0, 0);
  LineTo(dc, h - 1, s - 2);
  SetPixel(dc, h - 1, s - 2, highlight);

  SelectObject(dc, up);
  FillRect(dc, &all, faceBrush.Get());
  Line(dc, 0, s - 1, h - 1, 0);
  SelectObject(dc, shadowPen.Get());
  Line(dc, h, 0, s - 1, s - 1);
  LineTo(dc, -1, s - 1);
  SetPixel(dc, h, 0, face);

  SelectObject(dc, oldPen);
  SelectObject(dc, oldBitmap);
}

void TCustomEnhListView::SetShowSortArrows(bool value) {
  showSortArrows_ = value;
  ascendingArrow_.Reset();
  descendingArrow_.Reset();
  if (value) {
    BuildSortArrows();
    if (!loading_) SetColumnsOwnerDrawFlag(true);
  } else if (!loading_) {
    SetColumnsOwnerDrawFlag(static_cast<bool>(onDrawHeader_));
  }
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
  UpdateColumnImages();
}

void TCustomEnhListView::SetReverseSortArrows(bool value) {
  if (value == reverseSortArrows_) return;
  reverseSortArrows_ = value;
  if (!showSortArrows_) return;
  BuildSortArrows();
  InvalidateColumnHeader(lastColumnClicked_);
}

// --- Header items by column ----------------------------------------------------------------------------

void TCustomEnhListView::InvalidateColumnHeader(int index) {
  if (index < 0 || index >= ColumnCount() || !header_ || !HandleAllocated()) return;
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH;
  SendMessageA(Handle(), LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
  const int position = ActualColumnIndex(index);
  RECT client{};
  GetClientRect(header_, &client);
  int left = client.left;
  for (int p = 0; p < position; ++p) {
    const int shown = GetActualColumn(p);
    if (shown >= 0) left += static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, shown, 0));
  }
  RECT item{left + 2, client.top + 2, left + column.cx - 2, client.bottom - 2};
  InvalidateRect(header_, &item, FALSE);
}

int TCustomEnhListView::ActualColumnIndex(int column) {
  return column >= 0 && column < ColumnCount() ? column : 0;
}

int TCustomEnhListView::GetActualColumn(int position) {
  return position >= 0 && position < ColumnCount() ? position : -1;
}

}  // namespace k32
