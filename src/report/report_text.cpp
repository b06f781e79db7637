#include "report/report_text.h"

#include <algorithm>
#include <vector>

#include "common/text.h"
#include "common/priority.h"

namespace k32 {

namespace {

constexpr std::wstring_view kRule = L"=======================================";
static_assert(kRule.size() == 39);

// Room for the fixed parts of one process head and one module's lines, numbers at their widest.
constexpr std::size_t kProcessHeadBytes = 2 * kRule.size() + 160;
constexpr std::size_t kModuleBytes = 80;

}  // namespace

ReportWriter::ReportWriter(std::wstring& text, ISystemServices& services, const Settings& settings)
    : text_(text), services_(services), settings_(settings) {}

void ReportWriter::Reserve(std::size_t extra) {
  const std::size_t needed = text_.size() + extra;
  if (needed > text_.capacity()) text_.reserve(std::max(needed, 2 * text_.capacity()));
}

void ReportWriter::WriteHeader(const ReportHeader& header) {
  text_.assign(L"有关正在运行进程的报告\n");
  Reserve(kRule.size() + 64 + header.computerName.size() + header.userName.size() + header.dateText.size() +
          header.timeText.size());
  text_.append(kRule).append(L"\n");
  text_.append(L"计算机: ").append(header.computerName).append(L"\n");
  text_.append(L"用户: ").append(header.userName).append(L"\n");
  text_.append(L"日期: ").append(header.dateText).append(L"\n");
  text_.append(L"时间: ").append(header.timeText).append(L"\n\n");
}

void ReportWriter::FillProcessList() {
  const std::vector<ProcessEntry> processes = services_.ProcessSnapshot();
  std::size_t estimate = 0;
  for (const ProcessEntry& process : processes) estimate += kProcessHeadBytes + process.exeFile.size();
  Reserve(estimate);
  for (const ProcessEntry& process : processes) {
    AddPidItem(process.exeFile, process.processId, process.parentProcessId, process.threadCount);
    FillModuleList(process.processId);
  }
}

void ReportWriter::AddPidItem(std::wstring_view exeFile, std::uint32_t processId,
                              std::uint32_t parentProcessId, std::uint32_t threadCount) {
  const std::wstring priorityText = WidenAscii(PriorityText(services_.PriorityClass(processId)));
  text_.append(L"\n").append(kRule).append(L"\n");
  text_.append(FileNamePart(exeFile));
  text_.append(L"\n").append(kRule).append(L"\n");
  if (settings_.ProcID)
    text_.append(L"- 进程 ID: ").append(WidenAscii(UnsignedText(processId))).append(L"\n");
  if (settings_.PProcID)
    text_.append(L"- 父级进程 ID: ").append(WidenAscii(UnsignedText(parentProcessId))).append(L"\n");
  if (settings_.Threads)
    text_.append(L"- 线程总数: ").append(WidenAscii(UnsignedText(threadCount))).append(L"\n");
  if (settings_.Priority) text_.append(L"- 优先级: ").append(priorityText).append(L"\n");
  if (settings_.Modules) text_.append(L"- 相关模块:\n");
}

void ReportWriter::FillModuleList(std::uint32_t processId) {
  if (processId == 0) return;  // the idle process has no modules to snapshot
  const std::vector<ModuleEntry> modules = services_.ModuleSnapshot(processId);
  if (settings_.Modules) {
    std::size_t estimate = 0;
    for (const ModuleEntry& module : modules)
      estimate += kModuleBytes + module.moduleName.size() + module.exePath.size();
    Reserve(estimate);
  }
  for (const ModuleEntry& module : modules)
    AddRsItem(module.moduleName, module.exePath, module.moduleHandle, module.moduleSize);
}

void ReportWriter::AddRsItem(std::wstring_view moduleName, std::wstring_view modulePath, Address moduleHandle,
                             std::uint32_t moduleSize) {
  if (!settings_.Modules) return;
  text_.append(L"    ").append(moduleName);
  if (settings_.Path) text_.append(L" (").append(modulePath).append(L")");
  text_.append(L"\n");
  if (settings_.Handle)
    text_.append(L"    - 句柄: ").append(WidenAscii(PointerText(moduleHandle))).append(L"\n");
  if (settings_.Size)
    text_.append(L"    - 大小: ").append(WidenAscii(KilobyteText(moduleSize))).append(L"\n");
}

void WriteReport(std::wstring& text, ISystemServices& services, const Settings& settings,
                 const ReportHeader& header) {
  ReportWriter writer(text, services, settings);
  writer.WriteHeader(header);
  writer.FillProcessList();
}

}  // namespace k32
