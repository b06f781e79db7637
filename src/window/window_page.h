// The window page: the top-level window list, the descendants of its selected window, and the
// window properties command.
#pragma once

#include <vector>

#include "gui/form.h"
#include "listview/ext_list_view.h"
#include "process/held_target.h"
#include "process/services.h"
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
  // Top-level windows the last refresh found (rows marked gone are not counted).
  [[nodiscard]] int WindowCount() const { return windowCount_; }

  // The first step of a refresh: no descendant is shown until a window row is selected again.
  void ClearChildren();
  // The window list brought up to date, the same window selected again and its descendants brought
  // up to date (a row selected anew fills them); the owners are looked up in the refresh's process
  // snapshot.
  void RefreshWindowList(const std::vector<ProcessEntry>& processes);
  // The window list emptied and filled again, as refreshes did before they updated in place.
  void RebuildWindowList(const std::vector<ProcessEntry>& processes);
  void WindowListSelectItem(gui::TListItem* item, bool selected);

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
  int windowCount_ = 0;
  bool refreshed_ = false;  // the first refresh marks no row new
  THeldTarget<WindowTarget> target_;
};

}  // namespace k32
