#include "process/process_facts.h"

#include <utility>

namespace k32 {

void ProcessFactsCache::Update(const std::vector<ProcessEntry>& processes, const Read& read) {
  std::unordered_map<ProcessIdentity, ProcessFacts, ProcessIdentityHash> now;
  now.reserve(processes.size());
  for (const ProcessEntry& process : processes) {
    const ProcessIdentity key = IdentityOf(process);
    if (now.contains(key)) continue;
    const auto known = facts_.find(key);
    now.emplace(key, known != facts_.end() ? std::move(known->second) : read(process));
  }
  facts_ = std::move(now);
}

const ProcessFacts* ProcessFactsCache::Find(const ProcessEntry& process) const {
  const auto found = facts_.find(IdentityOf(process));
  return found == facts_.end() ? nullptr : &found->second;
}

}  // namespace k32
