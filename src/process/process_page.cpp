// The process page: its lists, its selection and its commands.
#include "process/process_page.h"

#include <optional>
#include <string>
#include <utility>

#include "common/text.h"
#include "gui/application.h"
#include "process/list_update.h"

namespace k32 {

TProcessPage::TProcessPage(TdfsExtListView& procList, TdfsExtListView& moduleList, ISystemServices& services,
                           std::function<void()> refreshAll)
    : procList_(procList), moduleList_(moduleList), services_(services), refreshAll_(std::move(refreshAll)) {
  procList_.OnSelectItem = [this](gui::TListItem* item, bool selected) {
    ProcListSelectItem(item, selected);
  };
}

void TProcessPage::ClearModules() {
  ListUpdate modules(moduleList_);
  moduleList_.Clear();
  ResortList(moduleList_);
}

void TProcessPage::Refresh(const std::vector<ProcessEntry>& processes) { FillProcessList(processes); }

void TProcessPage::FillProcessList(const std::vector<ProcessEntry>& processes) {
  std::vector<ListRow> rows;
  rows.reserve(processes.size());
  for (const ProcessEntry& process : processes)
    rows.push_back(ProcessRow(process, services_.PriorityClass(process.processId)));
  rows_.SetRows(std::move(rows));
}

void TProcessPage::ProcListSelectItem(gui::TListItem*, bool selected) {
  if (!selected) return;  // a deselection leaves the modules and the target as they are
  const gui::TListItem* row = procList_.Selected();
  if (!row) return;
  const std::uint32_t processId = ParseDecimalModulo32(row->Text(kPidColumn));
  FillModuleList(processId);
  selectedPid_ = processId;
}

void TProcessPage::FillModuleList(std::uint32_t processId) {
  ListUpdate update(moduleList_);
  moduleList_.Clear();
  if (processId == 0) return;  // the idle process has no modules to ask for
  for (const ModuleEntry& module : services_.ModuleSnapshot(processId)) AddModItem(module);
}

void TProcessPage::AddModItem(const ModuleEntry& module) { AppendRow(moduleList_, ModuleRow(module)); }

bool TProcessPage::SelectModule(std::uint32_t processId, const std::string& path) {
  const int process = FindRowWithText(procList_, kPidColumn, UnsignedText(processId));
  if (process < 0) return false;
  procList_.SelectIndex(process);
  const int module = FindRowWithText(moduleList_, kPathColumn, path);
  if (module >= 0) moduleList_.SelectIndex(module);
  return true;
}

void TProcessPage::Terminate(bool confirm) {
  // Taken before the question: timer refreshes go on while it is open, and the row the user asked
  // about may be gone by then, another one selected in its place.
  const std::optional<std::uint32_t> processId = Targets().process;
  if (!processId) {
    gui::Application().MessageBox("没有选定项目。请选择您想要终止的进程。", MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (confirm &&
      gui::Application().MessageBox("您确定要终止选定的进程吗？", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  TerminatePid(*processId);
}

void TProcessPage::TerminatePid(std::uint32_t processId) {
  switch (services_.Terminate(processId)) {
    case TerminateOutcome::CannotOpen:
      gui::Application().MessageBox("无法终止请求的进程。拒绝访问。", MB_OK | MB_ICONERROR);
      break;
    case TerminateOutcome::Failed:
      gui::Application().MessageBox("无法终止指定的进程。", MB_OK | MB_ICONERROR);
      break;
    case TerminateOutcome::Terminated:
      break;
  }
  // Whatever happened, the lists show what is left now.
  if (refreshAll_) refreshAll_();
}

void TProcessPage::OpenModuleFolder(HWND owner) {
  // From a menu the command may arrive while another list has the focus: then it does nothing.
  const std::optional<std::string> path = Targets().modulePath;
  if (!path) return;
  const std::string folder = FolderPart(*path);
  // Fire and forget: whatever the shell makes of the folder is the shell's to show.
  gui::Application().Shell().Execute(owner, "explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TProcessPage::HoldTargets() {
  targets_.Hold([this] { return ReadProcessTargets(procList_, moduleList_); });
}

ProcessTargets TProcessPage::Targets() const {
  return targets_.Get([this] { return ReadProcessTargets(procList_, moduleList_); });
}

ProcessTargets ReadProcessTargets(const gui::TListView& processes, const gui::TListView& modules) {
  ProcessTargets targets;
  if (const gui::TListItem* row = processes.Selected())
    targets.process = ParseDecimalModulo32(row->Text(kPidColumn));
  const gui::TListItem* module = modules.Selected();
  if (module && modules.Focused()) targets.modulePath = module->Text(kPathColumn);
  return targets;
}

}  // namespace k32
