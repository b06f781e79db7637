#include "report/report_text.h"

#include <algorithm>
#include <vector>

#include "common/text.h"
#include "process/priority.h"

namespace k32 {

namespace {

constexpr std::string_view kRule = "=======================================";
static_assert(kRule.size() == 39);

// Room for the fixed parts of one process head and one module's lines, numbers at their widest.
constexpr std::size_t kProcessHeadBytes = 2 * kRule.size() + 160;
constexpr std::size_t kModuleBytes = 80;

}  // namespace

ReportWriter::ReportWriter(std::string& text, ISystemServices& services, const Settings& settings)
    : text_(text), services_(services), settings_(settings) {}

void ReportWriter::Reserve(std::size_t extra) {
  const std::size_t needed = text_.size() + extra;
  if (needed > text_.capacity()) text_.reserve(std::max(needed, 2 * text_.capacity()));
}

void ReportWriter::WriteHeader(const ReportHeader& header) {
  text_.assign("有关正在运行进程的报告\n");
  Reserve(kRule.size() + 64 + header.computerName.size() + header.userName.size() + header.dateText.size() +
          header.timeText.size());
  text_.append(kRule).append("\n");
  text_.append("计算机: ").append(header.computerName).append("\n");
  text_.append("用户: ").append(header.userName).append("\n");
  text_.append("日期: ").append(header.dateText).append("\n");
  text_.append("时间: ").append(header.timeText).append("\n\n");
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

void ReportWriter::AddPidItem(std::string_view exeFile, std::uint32_t processId,
                              std::uint32_t parentProcessId, std::uint32_t threadCount) {
  const std::string_view priorityText = PriorityText(services_.PriorityClass(processId));
  text_.append("\n").append(kRule).append("\n");
  text_.append(FileNamePart(exeFile));
  text_.append("\n").append(kRule).append("\n");
  if (settings_.ProcID) text_.append("- 进程 ID: ").append(UnsignedText(processId)).append("\n");
  if (settings_.PProcID) text_.append("- 父级进程 ID: ").append(UnsignedText(parentProcessId)).append("\n");
  if (settings_.Threads) text_.append("- 线程总数: ").append(UnsignedText(threadCount)).append("\n");
  if (settings_.Priority) text_.append("- 优先级: ").append(priorityText).append("\n");
  if (settings_.Modules) text_.append("- 相关模块:\n");
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

void ReportWriter::AddRsItem(std::string_view moduleName, std::string_view modulePath, Address moduleHandle,
                             std::uint32_t moduleSize) {
  if (!settings_.Modules) return;
  text_.append("    ").append(moduleName);
  if (settings_.Path) text_.append(" (").append(modulePath).append(")");
  text_.append("\n");
  if (settings_.Handle) text_.append("    - 句柄: ").append(PointerText(moduleHandle)).append("\n");
  if (settings_.Size) text_.append("    - 大小: ").append(KilobyteText(moduleSize)).append("\n");
}

void WriteReport(std::string& text, ISystemServices& services, const Settings& settings,
                 const ReportHeader& header) {
  ReportWriter writer(text, services, settings);
  writer.WriteHeader(header);
  writer.FillProcessList();
}

}  // namespace k32
