// Rows of the four lists as plain texts, built from what the services report; the views only
// insert them. Nothing here touches a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "system/list_row.h"
#include "system/services.h"

namespace k32 {

// The columns that hold a process row's identifier and a module row's path.
inline constexpr int kPidColumn = 1;
inline constexpr int kPathColumn = 1;
// The process list's columns after the first five: what each process costs and who it is.
enum ProcessColumn : int {
  kCpuColumn = 5,
  kCpuTimeColumn,
  kPrivateBytesColumn,
  kWorkingSetColumn,
  kHandlesColumn,
  kUserColumn,
  kStartTimeColumn,
  kCommandLineColumn,
  kDescriptionColumn,
  kCompanyColumn,
  kImagePathColumn,
  kProcessColumns
};

// The width of a column of load addresses at 96 DPI: a 64-bit address takes up to 15 digits; the
// 32-bit build keeps the designed 80 pixels.
inline constexpr int kAddressColumnWidth = sizeof(void*) == 8 ? 120 : 80;

// Images of the process and module rows.
inline constexpr int kFileImage = 0;
inline constexpr int kExeImage = 1;

// 1 when the name's extension (from its last "." on) is ".exe" in any ASCII case, else 0.
int ExecutableImage(std::wstring_view fileName);

// A process row's key, and the identifier and creation time read back from one (none from any other
// text).
std::wstring ProcessKey(std::uint32_t processId, std::uint64_t createTime);
std::optional<ProcessIdentity> ParseProcessKey(std::wstring_view key);

// What a process row shows beyond the snapshot's entry: its share of the processors since the
// refresh before, and what is read once in the process's life.
struct ProcessRowFacts {
  std::optional<double> cpuShare;
  const ProcessDetails* details = nullptr;
  std::wstring startTime;  // the creation time in local time
};

// File name, identifier, parent identifier, thread count, priority name, then the costs and the
// facts (empty where unknown); keyed by ProcessKey.
ListRow ProcessRow(const ProcessEntry& process, std::uint32_t priorityClass, const ProcessRowFacts& facts = {});
// Name, path, handle in signed decimal, size in whole kilobytes.
ListRow ModuleRow(const ModuleEntry& module);

}  // namespace k32
