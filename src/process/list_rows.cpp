#include "process/list_rows.h"

#include "common/text.h"
#include "process/priority.h"

namespace k32 {

int ExecutableImage(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return kFileImage;
  const std::string_view extension = fileName.substr(dot);
  constexpr std::string_view kExe = ".exe";
  if (extension.size() != kExe.size()) return kFileImage;
  for (std::size_t i = 0; i < kExe.size(); ++i) {
    const char c = extension[i];
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != kExe[i]) return kFileImage;
  }
  return kExeImage;
}

ListRow ProcessRow(const ProcessEntry& process, std::uint32_t priorityClass) {
  ListRow row;
  row.caption = FileNamePart(process.exeFile);
  row.subItems = {UnsignedText(process.processId), UnsignedText(process.parentProcessId),
                  UnsignedText(process.threadCount), std::string(PriorityText(priorityClass))};
  row.image = ExecutableImage(row.caption);
  return row;
}

ListRow ModuleRow(const ModuleEntry& module) {
  ListRow row;
  row.caption = module.moduleName;
  row.subItems = {module.exePath, PointerText(module.moduleHandle), KilobyteText(module.moduleSize)};
  row.image = ExecutableImage(row.caption);
  return row;
}

}  // namespace k32
