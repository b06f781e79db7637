#include "process/process_facts.h"

#include <utility>

namespace k32 {

void ProcessFactsCache::Update(const std::vector<ProcessEntry>& processes, const Read& read) {
  std::unordered_map<Key, ProcessFacts, KeyHash> now;
  now.reserve(processes.size());
  for (const ProcessEntry& process : processes) {
    const Key key{process.processId, process.createTime};
    if (now.contains(key)) continue;
    const auto known = facts_.find(key);
    now.emplace(key, known != facts_.end() ? std::move(known->second) : read(process));
  }
  facts_ = std::move(now);
}

const ProcessFacts* ProcessFactsCache::Find(const ProcessEntry& process) const {
  const auto found = facts_.find({process.processId, process.createTime});
  return found == facts_.end() ? nullptr : &found->second;
}

}  // namespace k32
