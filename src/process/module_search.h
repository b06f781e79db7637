// "Which processes have loaded this module": every process's module snapshot searched for names or
// paths that contain a text, a few processes at a time so that a window can stay responsive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "process/list_rows.h"
#include "system/services.h"

namespace k32 {

struct ModuleHit {
  ProcessEntry process;
  ModuleEntry module;
};

// Process, PID, module name, path, handle: the row of a hit in the results list.
ListRow ModuleHitRow(const ModuleHit& hit);

// The column of a hit row that holds the process identifier, and the one that holds the path.
inline constexpr int kHitPidColumn = 1;
inline constexpr int kHitPathColumn = 3;

class ModuleSearch {
 public:
  // Searches the processes of one snapshot, in its order.
  ModuleSearch(std::wstring_view text, std::vector<ProcessEntry> processes);

  // Searches the next `count` processes at most; answers whether any are left.
  bool Step(ISystemServices& services, std::size_t count);
  [[nodiscard]] bool Done() const { return next_ >= processes_.size(); }
  [[nodiscard]] std::size_t Searched() const { return next_; }
  [[nodiscard]] std::size_t Total() const { return processes_.size(); }
  // Processes whose modules could not be read (an empty snapshot; the idle process, which has none,
  // does not count).
  [[nodiscard]] std::size_t Skipped() const { return skipped_; }
  // Hits found since the last call, taken out of the search.
  std::vector<ModuleHit> TakeHits();

 private:
  std::wstring folded_;
  std::vector<ProcessEntry> processes_;
  std::size_t next_ = 0;
  std::size_t skipped_ = 0;
  std::vector<ModuleHit> hits_;
};

// "已搜索 3 / 9 个进程，找到 2 个模块" while running, without the first part when done, and
// "，3 个进程无法读取" after it when any were skipped.
std::string ModuleSearchStatus(const ModuleSearch& search, std::size_t found);

}  // namespace k32
