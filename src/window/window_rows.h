// Rows of the top-level and descendant window lists, read from the window services while they
// enumerate.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "system/list_row.h"
#include "system/services.h"

namespace k32 {

// The column that holds a window row's handle.
inline constexpr int kHandleColumn = 0;

// Images of the window rows.
inline constexpr int kWindowImage = 0;
inline constexpr int kHiddenWindowImage = 1;
inline constexpr int kChildImage = 2;
inline constexpr int kHiddenChildImage = 3;

// Executable paths by process identifier, from one process snapshot: one snapshot serves all the
// windows of a refresh instead of one per window. The paths stay in the snapshot, which must
// outlive the lookup.
class ProcessNames {
 public:
  ProcessNames() = default;
  explicit ProcessNames(const std::vector<ProcessEntry>& snapshot);
  explicit ProcessNames(std::vector<ProcessEntry>&&) = delete;
  // The executable path, or empty text when the snapshot has no such process.
  [[nodiscard]] const std::wstring& GetPidExeName(std::uint32_t processId) const;

 private:
  std::unordered_map<std::uint32_t, const std::wstring*> paths_;
};

// Collects rows as an enumeration reports windows; each callback's answer says whether the
// enumeration goes on.
class WindowRowCollector {
 public:
  explicit WindowRowCollector(ISystemServices& services) : services_(services) {}

  // Handle, class name, title and owner's file name, looked up in `owners`. A window that has
  // closed since the enumeration reported it is skipped, and the enumeration goes on.
  bool AddWindowItem(WindowId window, const ProcessNames& owners);
  // Handle, class name, title. A window that has closed meanwhile still gives a row.
  bool AddChildItem(WindowId window);

  std::vector<ListRow> rows;

 private:
  ISystemServices& services_;
};

// Every top-level window, visible or not, in enumeration order, with its owner's file name from the
// process snapshot. The number of rows is the top-level window count.
std::vector<ListRow> TopLevelWindowRows(ISystemServices& services,
                                        const std::vector<ProcessEntry>& processes);
// Every descendant of the window at every depth, flat, in enumeration order.
std::vector<ListRow> DescendantWindowRows(ISystemServices& services, WindowId parent);

}  // namespace k32
