// The modules a process's loader keeps in its list, read from the process's memory: what the
// system's module snapshot walks too, without the snapshot's copy handed over one entry per call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "system/remote_layout.h"
#include "system/services.h"

namespace k32 {

// More entries than any process loads: a list that has not come back to its start by then is not
// one (or no longer one).
inline constexpr std::size_t kMaxLoaderEntries = 1 << 16;

// Where the loader's data lies, from the environment block at peb of a process whose pointers are
// pointerSize bytes (4 or 8); it stays there for the process's life. None before the loader has
// set it up, or when it cannot be read.
[[nodiscard]] std::optional<std::uint64_t> ReadLoaderAddress(std::uint64_t peb, std::size_t pointerSize,
                                                             const RemoteRead& read);

struct LoaderList {
  // In load order, each as the module snapshot gives it: names cut to its buffers of 256 and 260
  // characters.
  std::vector<ModuleEntry> modules;
  std::uint64_t first = 0;  // where the first entry lies; 0 for an empty list
};

// The list of the loader's data at loader. knownFirst: where an earlier read found the first entry
// (the program's own, which stays while the process runs), 0 when unknown; it is taken when it
// links back to the list's start, which is read otherwise. None unless the whole list was read: a
// list being changed or a process that ended is left to the system's snapshot.
[[nodiscard]] std::optional<LoaderList> ReadLoaderList(std::uint64_t loader, std::size_t pointerSize,
                                                       const RemoteRead& read, std::uint64_t knownFirst = 0);

}  // namespace k32
