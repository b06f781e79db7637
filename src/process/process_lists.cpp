// The process list and the module list of the selected process.
#include "app/form_main.h"
#include "common/text.h"
#include "process/list_update.h"
#include "process/process_targets.h"

namespace k32 {

void TFormMain::FillProcessList(const std::vector<ProcessEntry>& processes) {
  ListUpdate update(*ProcList);
  ProcList->Clear();
  for (const ProcessEntry& process : processes) {
    ++processCount;
    AddPidItem(process);
  }
  ResortList(ProcList);
}

void TFormMain::AddPidItem(const ProcessEntry& process) {
  AppendRow(*ProcList, ProcessRow(process, services_.PriorityClass(process.processId)));
}

void TFormMain::ProcListSelectItem(gui::TListItem*, bool selected) {
  if (!selected) return;  // a deselection leaves the modules and the target as they are
  const gui::TListItem* row = ProcList->Selected();
  if (!row) return;
  const std::uint32_t processId = ParseDecimalModulo32(row->Text(kPidColumn));
  FillModuleList(processId);
  SelectedPid = processId;
}

void TFormMain::FillModuleList(std::uint32_t processId) {
  ListUpdate update(*ModuleList);
  ModuleList->Clear();
  if (processId == 0) return;  // the idle process has no modules to ask for
  for (const ModuleEntry& module : services_.ModuleSnapshot(processId)) AddModItem(module);
}

void TFormMain::AddModItem(const ModuleEntry& module) { AppendRow(*ModuleList, ModuleRow(module)); }

ProcessTargets ReadProcessTargets(const gui::TListView& processes, const gui::TListView& modules) {
  ProcessTargets targets;
  if (const gui::TListItem* row = processes.Selected())
    targets.process = ParseDecimalModulo32(row->Text(kPidColumn));
  const gui::TListItem* module = modules.Selected();
  if (module && modules.Focused()) targets.modulePath = module->Text(kPathColumn);
  return targets;
}

}  // namespace k32
