#include "process/list_rows.h"

#include <cstdint>
#include <string>

#include "common/cost_text.h"
#include "common/text.h"
#include "common/priority.h"

namespace k32 {

int ExecutableImage(std::wstring_view fileName) {
  const std::size_t dot = fileName.rfind(L'.');
  if (dot == std::wstring_view::npos) return kFileImage;
  const std::wstring_view extension = fileName.substr(dot);
  constexpr std::wstring_view kExe = L".exe";
  if (extension.size() != kExe.size()) return kFileImage;
  for (std::size_t i = 0; i < kExe.size(); ++i) {
    const wchar_t c = extension[i];
    const wchar_t lower = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    if (lower != kExe[i]) return kFileImage;
  }
  return kExeImage;
}

std::wstring ProcessKey(std::uint32_t processId, std::uint64_t createTime) {
  return std::to_wstring(processId) + L':' + std::to_wstring(createTime);
}

std::optional<ProcessIdentity> ParseProcessKey(std::wstring_view key) {
  const std::size_t colon = key.find(L':');
  if (colon == std::wstring_view::npos) return std::nullopt;
  const auto number = [](std::wstring_view digits, std::uint64_t limit) -> std::optional<std::uint64_t> {
    if (digits.empty() || digits.size() > 20) return std::nullopt;
    std::uint64_t value = 0;
    for (const wchar_t c : digits) {
      if (c < L'0' || c > L'9') return std::nullopt;
      const auto digit = static_cast<std::uint64_t>(c - L'0');
      if (value > (limit - digit) / 10) return std::nullopt;
      value = value * 10 + digit;
    }
    return value;
  };
  const auto processId = number(key.substr(0, colon), UINT32_MAX);
  const auto createTime = number(key.substr(colon + 1), UINT64_MAX);
  if (!processId || !createTime) return std::nullopt;
  return ProcessIdentity{static_cast<std::uint32_t>(*processId), *createTime};
}

ListRow ProcessRow(const ProcessEntry& process, std::uint32_t priorityClass, const ProcessRowFacts& facts) {
  static const ProcessDetails kUnknown;
  const ProcessDetails& details = facts.details ? *facts.details : kUnknown;
  ListRow row;
  row.caption = FileNamePart(process.exeFile);
  row.subItems = Cells(WidenAscii(UnsignedText(process.processId)), WidenAscii(UnsignedText(process.parentProcessId)),
                       WidenAscii(UnsignedText(process.threadCount)), WidenAscii(PriorityText(priorityClass)),
                       WidenAscii(CpuShareText(facts.cpuShare)), WidenAscii(CpuTimeText(process.cpuTime)),
                       WidenAscii(KibText(process.privateBytes)), WidenAscii(KibText(process.workingSet)),
                       WidenAscii(UnsignedText(process.handleCount)), details.userName, facts.startTime,
                       details.commandLine, details.description, details.company, details.imagePath);
  row.image = ExecutableImage(row.caption);
  row.key = ProcessKey(process.processId, process.createTime);
  return row;
}

ListRow ModuleRow(const ModuleEntry& module) {
  ListRow row;
  row.caption = module.moduleName;
  row.subItems =
      Cells(module.exePath, WidenAscii(PointerText(module.moduleHandle)), WidenAscii(KilobyteText(module.moduleSize)));
  row.image = ExecutableImage(row.caption);
  return row;
}

}  // namespace k32
