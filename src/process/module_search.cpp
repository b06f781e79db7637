#include "process/module_search.h"

#include <utility>

#include "common/find_text.h"
#include "common/text.h"

namespace k32 {

ListRow ModuleHitRow(const ModuleHit& hit) {
  return {FileNamePart(hit.process.exeFile),
          {WidenAscii(UnsignedText(hit.process.processId)), hit.module.moduleName, hit.module.exePath,
           WidenAscii(PointerText(hit.module.moduleHandle))},
          ExecutableImage(hit.process.exeFile),
          {}};
}

ModuleSearch::ModuleSearch(std::wstring_view text, std::vector<ProcessEntry> processes)
    : folded_(FoldCase(text)), processes_(std::move(processes)) {}

bool ModuleSearch::Step(ISystemServices& services, std::size_t count) {
  for (; count > 0 && next_ < processes_.size(); --count, ++next_) {
    const ProcessEntry& process = processes_[next_];
    if (process.processId == 0) continue;  // the idle process has no modules to ask for
    const std::vector<ModuleEntry> modules = services.ModuleSnapshot(process.processId);
    if (modules.empty()) ++skipped_;
    for (const ModuleEntry& module : modules)
      if (ContainsFolded(module.moduleName, folded_) || ContainsFolded(module.exePath, folded_))
        hits_.push_back({process, module});
  }
  return !Done();
}

std::vector<ModuleHit> ModuleSearch::TakeHits() { return std::exchange(hits_, {}); }

std::string ModuleSearchStatus(const ModuleSearch& search, std::size_t found) {
  std::string status;
  if (!search.Done())
    status =
        "已搜索 " + std::to_string(search.Searched()) + " / " + std::to_string(search.Total()) + " 个进程，";
  status += "找到 " + std::to_string(found) + " 个模块";
  if (search.Skipped() > 0) status += "，" + std::to_string(search.Skipped()) + " 个进程无法读取";
  return status;
}

}  // namespace k32
