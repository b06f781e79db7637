// How much of all processors each process used between two snapshots.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "system/services.h"

namespace k32 {

class CpuShares {
 public:
  // A new snapshot, taken at `now` (100-nanosecond units of a steady clock) on a system of that many
  // processors; the shares are those of the time since the snapshot before.
  void Update(const std::vector<ProcessEntry>& processes, std::uint64_t now, unsigned processors);
  // In percent of all processors; none at the first snapshot. A process that came since counts all
  // its time, which it used since then.
  [[nodiscard]] std::optional<double> Share(const ProcessEntry& process) const;
  // Of every process but the idle one; none at the first snapshot.
  [[nodiscard]] std::optional<double> Total() const { return total_; }

 private:
  std::unordered_map<ProcessIdentity, std::uint64_t, ProcessIdentityHash> before_;  // at the snapshot before
  std::unordered_map<ProcessIdentity, double, ProcessIdentityHash> shares_;
  std::optional<double> total_;
  std::optional<std::uint64_t> then_;
};

}  // namespace k32
