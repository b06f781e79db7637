// The process page: its lists, its selection and its commands.
#include "process/process_page.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "common/cost_text.h"
#include "common/text.h"
#include "gui/application.h"
#include "gui/fold_box.h"
#include "listview/list_update.h"

namespace k32 {

namespace {
std::string ModuleFailureText(ModuleFailure failure) {
  switch (failure) {
    case ModuleFailure::AccessDenied:
      return "无法读取此进程的模块: 拒绝访问。";
    case ModuleFailure::Ended:
      return "无法读取此进程的模块: 该进程已结束。";
    case ModuleFailure::OtherWordSize:
      return "无法读取 64 位进程的模块: 请使用 kestrel64.exe。";
    case ModuleFailure::None:
      break;
  }
  return {};
}
}  // namespace

TProcessPage::TProcessPage(TdfsExtListView& procList, TdfsExtListView& moduleList, ISystemServices& services,
                           std::function<void()> refreshAll)
    : procList_(procList), moduleList_(moduleList), services_(services), refreshAll_(std::move(refreshAll)) {
  procImages_.AddMaskedResource("PROCIMAGES");
  foldBoxes_.AddDrawn(2, gui::DrawFoldBox);
  for (TdfsExtListView* list : {&procList_, &moduleList_}) list->SetSmallImages(procImages_.Handle());
  procList_.OnSelectItem = [this](gui::TListItem* item, bool selected) {
    ProcListSelectItem(item, selected);
  };
}

void TProcessPage::SetPictureSize(int size) {
  procImages_.SetSize(size);
  foldBoxes_.SetSize(size);
}

void TProcessPage::ClearModules() {
  ClearRows(moduleList_);
  SetModuleListReason({});
}

void TProcessPage::SetRows(const std::vector<ProcessEntry>& processes) {
  LARGE_INTEGER ticks{}, frequency{};
  QueryPerformanceCounter(&ticks);
  QueryPerformanceFrequency(&frequency);
  const auto now = static_cast<std::uint64_t>(static_cast<long double>(ticks.QuadPart) * 10'000'000.0L /
                                              static_cast<long double>(std::max<LONGLONG>(frequency.QuadPart, 1)));
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  cpuShares_.Update(processes, now, std::max<DWORD>(1, system.dwNumberOfProcessors));
  // The time zone is read once for the processes that came (each read is a registry walk under Wine).
  std::optional<TIME_ZONE_INFORMATION> zone;
  facts_.Update(processes, [&](const ProcessEntry& process) {
    if (!zone) {
      zone.emplace();
      if (GetTimeZoneInformation(&*zone) == TIME_ZONE_ID_INVALID) zone.reset();
    }
    return ReadFacts(process, zone ? &*zone : nullptr);
  });
  std::vector<ListRow> rows;
  rows.reserve(processes.size());
  for (const ProcessEntry& process : processes) {
    const ProcessFacts* facts = facts_.Find(process);
    rows.push_back(ProcessRow(process, services_.PriorityClass(process.processId),
                              {cpuShares_.Share(process), facts ? &facts->details : nullptr,
                               facts ? facts->startTime : std::wstring()}));
  }
  rows_.SetRows(std::move(rows));
  std::erase_if(folded_, [this](const std::wstring& key) { return !rows_.Keys().present.contains({key, {}}); });
}

ProcessFacts TProcessPage::ReadFacts(const ProcessEntry& process, const TIME_ZONE_INFORMATION* zone) {
  ProcessFacts facts{services_.ReadProcessDetails(process.processId, process.createTime), {}};
  FILETIME created{static_cast<DWORD>(process.createTime), static_cast<DWORD>(process.createTime >> 32)};
  SYSTEMTIME utc{}, local{};
  if (process.createTime != 0 && FileTimeToSystemTime(&created, &utc) &&
      SystemTimeToTzSpecificLocalTime(zone, &utc, &local))
    facts.startTime =
        WidenAscii(DateTimeText(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond));
  return facts;
}

void TProcessPage::Refresh(const std::vector<ProcessEntry>& processes) {
  SetRows(processes);
  ShowRows(std::exchange(refreshed_, true) ? RowUpdate::Refresh : RowUpdate::FirstRefresh);
}

void TProcessPage::ShowRows(RowUpdate kind) {
  std::vector<ListRow> storage;
  TreeShape tree;
  if (tree_) tree = ShapeTree(kind);
  UpdateListPair(
      {procList_, kProcessKey, moduleList_, kModuleKey},
      tree_ ? FreshRows(rows_.All(), tree.order, tree.looks) : FreshRows(rows_.Passing(storage)), rows_.Keys(), kind,
      [this](const gui::TListItem& row) { return ModuleRows(ParseDecimalModulo32(row.Text(kPidColumn))); });
  ForgetStaleReason();
}

void TProcessPage::ForgetStaleReason() {
  const gui::TListItem* row = procList_.Selected();
  if ((!row || IsGone(row)) && !moduleListReason_.empty()) SetModuleListReason({});
}

void TProcessPage::Rebuild(const std::vector<ProcessEntry>& processes) {
  const RememberedRow selected = RememberSelection(procList_, kProcessKey);
  FillProcessList(processes);
  SelectAgain(procList_, selected, kProcessKey);
}

void TProcessPage::FillProcessList(const std::vector<ProcessEntry>& processes) {
  SetRows(processes);
  ListUpdate update(procList_);
  procList_.Clear();
  for (ListRow& row : rows_.Passing()) AppendRow(procList_, std::move(row));
  ResortList(procList_);
  if (tree_) ShowRows(RowUpdate::Filter);
}

void TProcessPage::ProcListSelectItem(gui::TListItem*, bool selected) {
  if (!selected) return;  // a deselection leaves the modules and the target as they are
  const gui::TListItem* row = procList_.Selected();
  if (!row) return;
  const std::uint32_t processId = ParseDecimalModulo32(row->Text(kPidColumn));
  FillModuleList(processId);
  selectedPid_ = processId;
}

void TProcessPage::SetModuleListReason(std::string reason) {
  moduleListReason_ = std::move(reason);
  if (OnModuleListReason) OnModuleListReason();
}

void TProcessPage::FillModuleList(std::uint32_t processId) {
  ListUpdate update(moduleList_);
  moduleList_.Clear();
  for (const ModuleEntry& module : ModuleSnapshot(processId)) AddModItem(module);
}

std::vector<ListRow> TProcessPage::ModuleRows(std::uint32_t processId) {
  std::vector<ListRow> rows;
  for (const ModuleEntry& module : ModuleSnapshot(processId)) rows.push_back(ModuleRow(module));
  return rows;
}

std::vector<ModuleEntry> TProcessPage::ModuleSnapshot(std::uint32_t processId) {
  if (processId == 0) {  // the idle process has no modules to ask for
    SetModuleListReason({});
    return {};
  }
  std::vector<ModuleEntry> modules = services_.ModuleSnapshot(processId);
  SetModuleListReason(ModuleFailureText(services_.LastModuleFailure()));
  return modules;
}

void TProcessPage::AddModItem(const ModuleEntry& module) { AppendRow(moduleList_, ModuleRow(module)); }

bool TProcessPage::SelectModule(std::uint32_t processId, const std::wstring& path) {
  const int process = FindRowWithText(procList_, kPidColumn, WidenAscii(UnsignedText(processId)));
  if (process < 0 || IsGone(procList_.Item(process))) return false;
  SelectAndShow(procList_, process);
  const int module = FindRowWithText(moduleList_, kPathColumn, path);
  if (module >= 0) SelectAndShow(moduleList_, module);
  return true;
}

void TProcessPage::Terminate(bool confirm) {
  // Taken before the question: timer refreshes go on while it is open, and the row the user asked
  // about may be gone by then, another one selected in its place.
  const ProcessTargets targets = Targets();
  if (!targets.process) {
    gui::Application().MessageBox("没有选定项目。请选择您想要终止的进程。", MB_OK | MB_ICONINFORMATION);
    return;
  }
  // A row marked gone is a process that has ended: its identifier may already name another one.
  const std::unique_ptr<IProcessToEnd> process =
      targets.ended ? nullptr : services_.OpenToTerminate(*targets.process, targets.createTime);
  if (!process) {
    ShowOutcome(TerminateOutcome::CannotOpen);
    return;
  }
  if (confirm &&
      gui::Application().MessageBox("您确定要终止选定的进程吗？", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  TerminatePid(*process);
}

void TProcessPage::TerminatePid(IProcessToEnd& process) {
  ShowOutcome(process.Terminate() ? TerminateOutcome::Terminated : TerminateOutcome::Failed);
}

void TProcessPage::ShowOutcome(TerminateOutcome outcome) {
  switch (outcome) {
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
  const auto path = Targets().modulePath;
  if (!path) return;
  const auto folder = FolderPart(*path);
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
  if (const gui::TListItem* row = processes.Selected()) {
    targets.process = ParseDecimalModulo32(row->Text(kPidColumn));
    if (const auto identity = ParseProcessKey(row->Key)) targets.createTime = identity->createTime;
    targets.ended = IsGone(row);
  }
  const gui::TListItem* module = modules.Selected();
  if (module && modules.Focused()) targets.modulePath = module->Text(kPathColumn);
  return targets;
}

}  // namespace k32
