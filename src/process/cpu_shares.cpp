#include "process/cpu_shares.h"

#include <utility>

namespace k32 {

void CpuShares::Update(const std::vector<ProcessEntry>& processes, std::uint64_t now, unsigned processors) {
  std::unordered_map<ProcessIdentity, std::uint64_t, ProcessIdentityHash> times;
  times.reserve(processes.size());
  for (const ProcessEntry& process : processes) times[IdentityOf(process)] = process.cpuTime;
  shares_.clear();
  total_.reset();
  // A clock that did not move (two snapshots at once) gives nothing to divide by: no shares then.
  if (then_ && now > *then_ && processors > 0) {
    const double span = static_cast<double>(now - *then_) * processors;
    double total = 0;
    for (const auto& [key, time] : times) {
      const auto found = before_.find(key);
      const std::uint64_t earlier = found == before_.end() ? 0 : found->second;
      const double share = time > earlier ? static_cast<double>(time - earlier) * 100.0 / span : 0.0;
      shares_[key] = share;
      if (key.processId != 0) total += share;
    }
    total_ = total;
  }
  before_ = std::move(times);
  then_ = now;
}

std::optional<double> CpuShares::Share(const ProcessEntry& process) const {
  const auto found = shares_.find(IdentityOf(process));
  if (found == shares_.end()) return std::nullopt;
  return found->second;
}

}  // namespace k32
