#include "process/list_rows.h"

#include "common/text.h"
#include "process/priority.h"

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

ListRow ProcessRow(const ProcessEntry& process, std::uint32_t priorityClass) {
  ListRow row;
  row.caption = FileNamePart(process.exeFile);
  row.subItems = Cells(WidenAscii(UnsignedText(process.processId)), WidenAscii(UnsignedText(process.parentProcessId)),
                       WidenAscii(UnsignedText(process.threadCount)), WidenAscii(PriorityText(priorityClass)));
  row.image = ExecutableImage(row.caption);
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
