// The process page: the process list, the module list of the selected process, and the commands
// that act on them (terminate, the module folder).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "gui/comctrls.h"
#include "listview/ext_list_view.h"
#include "listview/list_update.h"
#include "process/cpu_shares.h"
#include "listview/filtered_list.h"
#include "process/process_facts.h"
#include "listview/held_target.h"
#include "process/list_rows.h"
#include "process/process_targets.h"
#include "system/services.h"

namespace k32 {

// A process row is told from every other by its identifier and creation time (its key); a module
// row by its path and load address.
inline constexpr RowKeyColumns kProcessKey{kKeyColumn, kNoColumn};
inline constexpr RowKeyColumns kModuleKey{kPathColumn, kPathColumn + 1};

class TProcessPage {
 public:
  // The page acts on two lists its window made; refreshAll rebuilds every list of the window, as
  // after each termination attempt.
  TProcessPage(TdfsExtListView& procList, TdfsExtListView& moduleList, ISystemServices& services,
               std::function<void()> refreshAll);
  TProcessPage(const TProcessPage&) = delete;
  TProcessPage& operator=(const TProcessPage&) = delete;

  [[nodiscard]] TdfsExtListView* ProcList() const { return &procList_; }
  [[nodiscard]] TdfsExtListView* ModuleList() const { return &moduleList_; }
  // The process of the row last selected; 0 at start.
  [[nodiscard]] std::uint32_t SelectedPid() const { return selectedPid_; }
  // Processes the last refresh found (rows marked gone are not counted), and those of them the
  // filter shows.
  [[nodiscard]] int ProcessCount() const { return rows_.Count(); }
  [[nodiscard]] int ShownCount() const { return rows_.PassingCount(); }
  // The share of all processors all processes but the idle one used since the refresh before; none
  // at the first.
  [[nodiscard]] std::optional<double> TotalCpuShare() const { return cpuShares_.Total(); }
  // Why the module list is empty when the selected process's modules could not be read; else empty.
  [[nodiscard]] const std::string& ModuleListReason() const { return moduleListReason_; }
  // After each change of the module list's reason.
  std::function<void()> OnModuleListReason;

  // The text that narrows the process list to the rows whose file name or PID contains it; empty
  // shows every row. Applied to the rows of the last snapshot (at once when showNow, else when
  // ShowFilter is called as the page is shown again) and to every later refresh.
  void SetFilter(const std::wstring& text, bool showNow) {
    if (rows_.SetFilter(text, showNow)) ShowRows(RowUpdate::Filter);
  }
  void ShowFilter() {
    if (rows_.TakePending()) ShowRows(RowUpdate::Filter);
  }

  // The first step of a refresh: no module is shown until a process row is selected again.
  void ClearModules();
  // The process list brought up to date from the refresh's snapshot, the same process selected
  // again and its modules brought up to date; a row selected anew fills the module list.
  void Refresh(const std::vector<ProcessEntry>& processes);
  // The process list emptied and filled again, as refreshes did before they updated in place.
  void Rebuild(const std::vector<ProcessEntry>& processes);
  void FillProcessList(const std::vector<ProcessEntry>& processes);
  void ProcListSelectItem(gui::TListItem* item, bool selected);
  void FillModuleList(std::uint32_t processId);
  void AddModItem(const ModuleEntry& module);
  std::vector<ListRow> ModuleRows(std::uint32_t processId);
  // Selects the process's row and then the row of the module at that path; false when the process
  // is not shown (the module may still be missing: its process row is selected then).
  bool SelectModule(std::uint32_t processId, const std::wstring& path);

  // Ends the chosen process, asking first when confirm is set, and refreshes after every attempt.
  // The process is opened before the question: a process that ends meanwhile cannot hand its
  // identifier to another one that would be ended in its place.
  void Terminate(bool confirm);
  void TerminatePid(IProcessToEnd& process);
  // Opens the folder of the chosen module in the shell, owned by owner.
  void OpenModuleFolder(HWND owner);

  // The pictures of both lists (the processes' and the tree's fold boxes) at a size for the window's
  // DPI; before the lists measure their rows by them.
  void SetPictureSize(int size);

  // Each process under the one that started it, with its fold boxes; off: the flat list, sorted as
  // before.
  void SetTree(bool on);
  [[nodiscard]] bool Tree() const { return tree_; }
  // Folds or unfolds what lies below the row; nothing for a row with nothing below it.
  void SetFolded(int index, bool folded);
  void ToggleFold(int index);

  // While held, the commands act on the rows selected when the hold began.
  void HoldTargets();
  void ReleaseTargets() { targets_.Release(); }
  [[nodiscard]] ProcessTargets Targets() const;

 private:
  TdfsExtListView& procList_;
  TdfsExtListView& moduleList_;
  ISystemServices& services_;
  std::function<void()> refreshAll_;
  std::uint32_t selectedPid_ = 0;
  FilteredRows rows_{kPidColumn + 1, kProcessKey};  // the file name and the PID are filtered
  std::string moduleListReason_;
  bool refreshed_ = false;  // the first refresh marks no row new
  THeldTarget<ProcessTargets> targets_;
  CpuShares cpuShares_;
  ProcessFactsCache facts_;
  gui::TImageList procImages_;
  gui::TImageList foldBoxes_;
  bool tree_ = false;
  std::unordered_set<std::wstring> folded_;  // keys of the folded processes

  // The tree the list shows: the passing rows with their ancestors, as places among all the rows in
  // tree order, and how each is drawn.
  struct TreeShape {
    std::vector<std::size_t> order;
    std::vector<gui::TRowLook> looks;
  };
  [[nodiscard]] TreeShape ShapeTree(RowUpdate kind) const;
  // The tree's keys: ← and → fold and unfold (or go to the parent and the first child), + and - too.
  bool TreeKey(WPARAM key);

  void SetModuleListReason(std::string reason);
  // What is read once in a process's life; its start in the time zone given (none: the current one).
  ProcessFacts ReadFacts(const ProcessEntry& process, const TIME_ZONE_INFORMATION* zone);
  // The module snapshot of the process, its failure's reason kept for the status bar.
  std::vector<ModuleEntry> ModuleSnapshot(std::uint32_t processId);
  void ShowOutcome(TerminateOutcome outcome);
  // The snapshot's rows kept, with the filter over them.
  void SetRows(const std::vector<ProcessEntry>& processes);
  // The process list brought to the rows that pass the filter.
  void ShowRows(RowUpdate kind);
  // The module list's reason goes once no row of a running process is selected: the list no
  // longer shows that process.
  void ForgetStaleReason();
};

}  // namespace k32
