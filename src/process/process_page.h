// The process page: the process list, the module list of the selected process, and the commands
// that act on them (terminate, the module folder).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "listview/ext_list_view.h"
#include "process/filtered_list.h"
#include "process/held_target.h"
#include "process/list_rows.h"
#include "process/process_targets.h"
#include "process/services.h"

namespace k32 {

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
  // Processes of the last refresh, and the rows of them the filter shows.
  [[nodiscard]] int ProcessCount() const { return rows_.Count(); }
  [[nodiscard]] int ShownCount() const { return rows_.ShownCount(); }

  // The text that narrows the process list to the rows whose file name or PID contains it; empty
  // shows every row. Applied to the rows of the last snapshot (at once when showNow, else when the
  // page is shown again) and to every later refresh.
  void SetFilter(const std::string& text, bool showNow) { rows_.SetFilter(text, showNow); }
  void ShowFilter() { rows_.ShowPending(); }

  // The first step of a refresh: no module is shown until a process row is selected again.
  void ClearModules();
  // The process list rebuilt from the refresh's snapshot, the same process selected again.
  void Refresh(const std::vector<ProcessEntry>& processes);
  void FillProcessList(const std::vector<ProcessEntry>& processes);
  void ProcListSelectItem(gui::TListItem* item, bool selected);
  void FillModuleList(std::uint32_t processId);
  void AddModItem(const ModuleEntry& module);
  // Selects the process's row and then the row of the module at that path; false when the process
  // is not shown (the module may still be missing: its process row is selected then).
  bool SelectModule(std::uint32_t processId, const std::string& path);

  // Ends the chosen process, asking first when confirm is set, and refreshes after every attempt.
  void Terminate(bool confirm);
  void TerminatePid(std::uint32_t processId);
  // Opens the folder of the chosen module in the shell, owned by owner.
  void OpenModuleFolder(HWND owner);

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
  TFilteredRows rows_{procList_, kPidColumn, kPidColumn + 1};  // the file name and the PID are filtered
  THeldTarget<ProcessTargets> targets_;
};

}  // namespace k32
