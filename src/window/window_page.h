// The window page: the top-level window list, the descendants of its selected window, and the
// window properties command.
#pragma once

#include <string>
#include <vector>

#include "gui/comctrls.h"
#include "gui/form.h"
#include "listview/ext_list_view.h"
#include "listview/list_update.h"
#include "listview/filtered_list.h"
#include "listview/held_target.h"
#include "system/services.h"
#include "window/window_rows.h"
#include "window/window_target.h"

namespace k32 {

class TWindowPage {
 public:
  // The page acts on two lists its window made.
  TWindowPage(TdfsExtListView& windowList, TdfsExtListView& childList, ISystemServices& services);
  TWindowPage(const TWindowPage&) = delete;
  TWindowPage& operator=(const TWindowPage&) = delete;

  [[nodiscard]] TdfsExtListView* WindowList() const { return &windowList_; }
  [[nodiscard]] TdfsExtListView* ChildList() const { return &childList_; }
  // Top-level windows the last refresh found (rows marked gone are not counted), and those of them
  // the filter shows.
  [[nodiscard]] int WindowCount() const { return rows_.Count(); }
  [[nodiscard]] int ShownCount() const { return rows_.PassingCount(); }

  // The text that narrows the window list to the rows whose handle, class, title or process
  // contains it; empty shows every row. Applied at once when showNow, else when ShowFilter is
  // called as the page is shown again, and to every later refresh.
  void SetFilter(const std::wstring& text, bool showNow) {
    if (rows_.SetFilter(text, showNow)) ShowRows(RowUpdate::Filter);
  }
  void ShowFilter() {
    if (rows_.TakePending()) ShowRows(RowUpdate::Filter);
  }

  // The first step of a refresh: no descendant is shown until a window row is selected again.
  // The windows' pictures in both lists at a size for the window's DPI.
  void SetPictureSize(int size) { windowImages_.SetSize(size); }

  void ClearChildren();
  // The window list brought up to date, the same window selected again and its descendants brought
  // up to date (a row selected anew fills them); the owners are looked up in the refresh's process
  // snapshot.
  void RefreshWindowList(const std::vector<ProcessEntry>& processes);
  // The window list emptied and filled again, as refreshes did before they updated in place.
  void RebuildWindowList(const std::vector<ProcessEntry>& processes);
  void WindowListSelectItem(gui::TListItem* item, bool selected);
  // Selects the top-level window's row and, when window is one of its descendants, that row in the
  // child list; false when the top-level window is not shown.
  bool SelectWindow(WindowId topLevel, WindowId window);

  // Shows the properties of the chosen window in a dialog owned by owner.
  void ShowProperties(gui::TForm& owner);

  // While held, the command acts on the row selected when the hold began.
  void HoldTarget();
  void ReleaseTarget() { target_.Release(); }
  [[nodiscard]] WindowTarget Target() const;

 private:
  TdfsExtListView& windowList_;
  TdfsExtListView& childList_;
  ISystemServices& services_;
  gui::TImageList windowImages_;
  // A window is told by its handle and its class, so that a reused handle is another row.
  static constexpr RowKeyColumns kWindowKey{kHandleColumn, kHandleColumn + 1};
  FilteredRows rows_{4, kWindowKey};  // handle, class, title and process are filtered
  bool refreshed_ = false;  // the first refresh marks no row new
  THeldTarget<WindowTarget> target_;

  // The window list brought to the rows that pass the filter.
  void ShowRows(RowUpdate kind);
};

}  // namespace k32
