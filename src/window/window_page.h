// The window page: the top-level window list, the descendants of its selected window, and the
// window properties command.
#pragma once

#include <string>
#include <vector>

#include "gui/form.h"
#include "listview/ext_list_view.h"
#include "process/filtered_list.h"
#include "process/held_target.h"
#include "process/list_rows.h"
#include "process/services.h"
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
  // Top-level windows of the last refresh, and the rows of them the filter shows.
  [[nodiscard]] int WindowCount() const { return rows_.Count(); }
  [[nodiscard]] int ShownCount() const { return rows_.ShownCount(); }

  // The text that narrows the window list to the rows whose handle, class, title or process
  // contains it; empty shows every row. Applied at once when showNow, else when the page is shown
  // again, and to every later refresh.
  void SetFilter(const std::string& text, bool showNow) { rows_.SetFilter(text, showNow); }
  void ShowFilter() { rows_.ShowPending(); }

  // The first step of a refresh: no descendant is shown until a window row is selected again.
  void ClearChildren();
  // The window list rebuilt, the same window selected again; the owners are looked up in the
  // refresh's process snapshot.
  void RefreshWindowList(const std::vector<ProcessEntry>& processes);
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
  TFilteredRows rows_{windowList_, kHandleColumn, 4};  // handle, class, title and process are filtered
  THeldTarget<WindowTarget> target_;
};

}  // namespace k32
