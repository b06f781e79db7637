// The modules of running processes read from their loaders' lists: far cheaper than the system's
// module snapshot under Wine, and the module list of the selected process is read at every refresh.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "system/services.h"

namespace k32 {

// Keeps from one read of a process to the next what stays in its life (its word size, where its
// loader's data and its first module's entry lie) and the pages the last read found the list in:
// the next read takes those first, side by side in one read, and usually needs no other.
class LoaderModuleReader {
 public:
  // The modules of a process of this program's word size, as the module snapshot gives them. None
  // when its list cannot be read whole this way (another word size, no right to read its memory, a
  // list being changed, a process ending or starting): the snapshot is asked then.
  [[nodiscard]] std::optional<std::vector<ModuleEntry>> Read(std::uint32_t processId);

 private:
  // The process last read, told from a later one given its identifier by its creation time.
  std::uint32_t processId_ = 0;
  std::uint64_t createTime_ = 0;
  std::uint64_t loader_ = 0;  // 0 until read
  std::uint64_t first_ = 0;   // 0 until read
  std::vector<std::uint64_t> pages_;
};

}  // namespace k32
