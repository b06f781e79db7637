// What does not change in a process's life, read once per process (its identifier and creation
// time) and kept while it runs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "system/services.h"

namespace k32 {

struct ProcessFacts {
  ProcessDetails details;
  std::wstring startTime;  // the creation time in local time
};

class ProcessFactsCache {
 public:
  using Read = std::function<ProcessFacts(const ProcessEntry&)>;
  // The facts of each process of a new snapshot: those known kept, the others read; the facts of
  // processes no longer there let go.
  void Update(const std::vector<ProcessEntry>& processes, const Read& read);
  // Null for a process the last update did not see.
  [[nodiscard]] const ProcessFacts* Find(const ProcessEntry& process) const;
  [[nodiscard]] std::size_t Size() const { return facts_.size(); }

 private:
  std::unordered_map<ProcessIdentity, ProcessFacts, ProcessIdentityHash> facts_;
};

}  // namespace k32
