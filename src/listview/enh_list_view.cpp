#include "listview/enh_list_view.h"

#include <windowsx.h>

#include "gui/application.h"
#include "gui/guard.h"
#include "gui/wide_text.h"
#include "listview/control_text.h"
#include "listview/user_sort_locale.h"

namespace k32 {

namespace {
// Asks the list to make its window again once the message in hand is done with the old one.
constexpr UINT kRecreateMessage = WM_USER + 144;
}  // namespace

void TCanvas::FillRect(const RECT& rect) const {
  gui::BrushHandle brush(CreateSolidBrush(BrushColor));
  ::FillRect(Handle, &rect, brush.Get());
}

TCustomEnhListView::TCustomEnhListView(gui::TWinControl* parent) : gui::TListView(parent) {
  UserSortLocale();  // the regional values are read with the first list, and again on a change
  systemChangeId_ = gui::Application().AddSystemChangeHandler([this](UINT message) {
    if (message == WM_SYSCOLORCHANGE) SystemColorsChanged();
  });
}

TCustomEnhListView::~TCustomEnhListView() {
  gui::Application().RemoveSystemChangeHandler(systemChangeId_);
  DestroyHandle();
  ReleaseHeader();
}

void TCustomEnhListView::Loaded() {
  loading_ = false;
  if (!creatingWindow_) HandleNeeded();
  updateDepth_ = 0;
  if (!LoadSettings()) {
    if (ColumnCount() > 0) lastColumnClicked_ = 0;
    Resort();
  }
  if (HandleAllocated()) PostMessageA(Handle(), kOwnerDrawHeaderMessage, 0, 0);
}

// --- Sort state ------------------------------------------------------------------------------------

void TCustomEnhListView::SetAutoColumnSort(TAutoColumnSort value) {
  if (value == autoColumnSort_) return;
  autoColumnSort_ = value;
  // Whether the arrow shows depends on it.
  if (showSortArrows_) InvalidateColumnHeader(lastColumnClicked_);
  if (value != acsNoSort) Resort();
}

void TCustomEnhListView::SetAutoSortStyle(TAutoSortStyle value) {
  if (value == autoSortStyle_) return;
  autoSortStyle_ = value;
  Resort();
}

void TCustomEnhListView::SetAutoSortAscending(bool value) {
  if (value == autoSortAscending_) return;
  autoSortAscending_ = value;
  SetCurrentSortAscending(value);
}

void TCustomEnhListView::SetCurrentSortAscending(bool value) {
  if (value == currentSortAscending_) return;
  currentSortAscending_ = value;
  InvalidateColumnHeader(lastColumnClicked_);
}

void TCustomEnhListView::SetLastColumnClicked(int value) {
  if (value == lastColumnClicked_) return;
  const int previous = lastColumnClicked_;
  lastColumnClicked_ = value;
  if (showSortArrows_) {
    InvalidateColumnHeader(previous);
    InvalidateColumnHeader(value);
  }
}

void TCustomEnhListView::ColClick(int column) {
  const bool descendingFirst = column >= 0 && static_cast<std::size_t>(column) < descendingFirst_.size() &&
                               descendingFirst_[static_cast<std::size_t>(column)];
  if (autoColumnSort_ == acsSortToggle) {
    if (column == lastColumnClicked_)
      currentSortAscending_ = !currentSortAscending_;
    else
      SetCurrentSortAscending(descendingFirst ? false : autoSortAscending_);
  } else if (descendingFirst && column != lastColumnClicked_) {
    SetCurrentSortAscending(false);  // the first click ever, on another column than the stored one
  }
  TListView::ColClick(column);  // the list's OnColumnClick may switch sorting on here
  if (autoColumnSort_ != acsNoSort && column < ColumnCount()) DoSort(column, currentSortAscending_);
  SetLastColumnClicked(column);
}

void TCustomEnhListView::ItemInserted(TListItem* item) { InsertItem(item); }

void TCustomEnhListView::InsertItem(TListItem*) {
  if (autoResort_) Resort();
}

void TCustomEnhListView::Edit(TListItem* item, const std::wstring& text) {
  if (item) {
    item->Caption = text;
    const int index = item->Index();
    SendMessageA(Handle(), LVM_REDRAWITEMS, index, index);
  }
  if (autoResort_) Resort();
}

void TCustomEnhListView::EditCanceled(TListItem* item) {
  if (OnEditCanceled) OnEditCanceled(this, item);
}

bool TCustomEnhListView::NotifyReflected(NMHDR* header, LRESULT* result) {
  switch (header->code) {
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
      TListItem* item = Item(info->item.iItem);
      *result = FALSE;  // the row keeps its text callback; the caption below is what it shows
      if (!info->item.pszText) {
        EditCanceled(item);
        return true;
      }
      Edit(item, header->code == LVN_ENDLABELEDITW
                     ? std::wstring(reinterpret_cast<const wchar_t*>(info->item.pszText))
                     : gui::Wide(info->item.pszText));
      return true;
    }
    default:
      return TListView::NotifyReflected(header, result);
  }
}

// --- Window --------------------------------------------------------------------------------------

void TCustomEnhListView::CreateParams(gui::TCreateParams& params) {
  TListView::CreateParams(params);
  if (style_ == lvOwnerDrawFixed) {
    params.style |= LVS_OWNERDRAWFIXED;
    if (!canvas_) canvas_ = std::make_unique<TCanvas>();
  }
  if (!onDrawHeader_ && !showSortArrows_ && style_ != lvOwnerDrawFixed) canvas_.reset();
}

void TCustomEnhListView::CreateWnd() {
  creatingWindow_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{creatingWindow_};
  TListView::CreateWnd();
  if (!header_) CaptureHeader(reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0)));
  if (!loading_) {
    updateDepth_ = 0;
    // A window made again gets a new header: owner-drawn again like the one before.
    if (onDrawHeader_ || showSortArrows_) SetColumnsOwnerDrawFlag(true);
  }
  if (style_ == lvOwnerDrawFixed) RecomputeRowHeight();
  windowMade_ = true;
}

void TCustomEnhListView::DestroyWnd() {
  windowMade_ = false;
  TListView::DestroyWnd();
  if (!creatingWindow_) header_ = nullptr, headerPrevious_ = nullptr;
}

LRESULT TCustomEnhListView::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      // Settings that cannot be stored are reported later; the window goes all the same.
      gui::Guarded([this] { StoreSettings(); });
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      LRESULT result = 0;
      if (header && header->hwndFrom && header->hwndFrom == header_ &&
          HeaderNotify(reinterpret_cast<NMHEADERA*>(header), &result))
        return result;
      break;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      if (item->CtlType == ODT_HEADER && header_ && item->hwndItem == header_) {
        if (!canvas_) return FALSE;
        DrawHeaderItem(item);
        return TRUE;
      }
      break;
    }
    case kOwnerDrawHeaderMessage:
      SetColumnsOwnerDrawFlag(onDrawHeader_ || showSortArrows_);
      RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      return 0;
    case kRecreateMessage:
      RecreateWnd();
      return 0;
    case WM_PARENTNOTIFY:
      if (LOWORD(wparam) == WM_CREATE && !header_) CaptureHeader(reinterpret_cast<HWND>(lparam));
      break;
    case WM_SETFONT: {
      const LRESULT result = TListView::WndProc(message, wparam, lparam);
      // Rows drawn by the list take their height from the font when the window is made.
      if (style_ == lvOwnerDrawFixed && windowMade_ && canvas_)
        PostMessageA(Handle(), kRecreateMessage, 0, 0);
      return result;
    }
    case WM_SYSCOLORCHANGE:
      if (showSortArrows_) {
        BuildSortArrows();
        if (header_) InvalidateRect(header_, nullptr, FALSE);
      }
      break;
    case WM_KEYDOWN:
      wparam = TranslateKey(wparam);
      break;
    case WM_CHAR:
      if (ColumnSearch && wparam >= 0x20 && wparam != 0x7F && wparam <= 0xFF) {
        HandleSearchKey(static_cast<char>(wparam));
        return 0;
      }
      break;
    default:
      break;
  }
  return TListView::WndProc(message, wparam, lparam);
}

// The system tells top-level windows; the list passes it on to its window, where the control takes
// the new colours too.
void TCustomEnhListView::SystemColorsChanged() {
  if (HandleAllocated())
    SendMessageA(Handle(), WM_SYSCOLORCHANGE, 0, 0);
  else if (showSortArrows_)
    BuildSortArrows();
}

WPARAM TCustomEnhListView::TranslateKey(WPARAM key) {
  // Ctrl with the keypad's plus sizes every column; with resizing locked it becomes Ctrl+minus.
  if (noColumnResize_ && key == VK_ADD && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 &&
      GetKeyState(VK_MENU) >= 0)
    return VK_SUBTRACT;
  return key;
}

}  // namespace k32
