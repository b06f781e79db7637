// What a page's commands act on, read from its lists at one moment and, while the user chooses a
// command (a menu is open, a tool button is down), held, so that a timer refresh meanwhile cannot
// turn the command onto another row.
#pragma once

#include <optional>
#include <utility>

namespace k32 {

template <class Target>
class THeldTarget {
 public:
  // read: the target as the lists show it now.
  template <class Read>
  [[nodiscard]] Target Get(Read&& read) const {
    return held_ ? *held_ : std::forward<Read>(read)();
  }
  template <class Read>
  void Hold(Read&& read) {
    if (holds_ == 0) held_ = std::forward<Read>(read)();
    ++holds_;  // only once the rows are read: a failed read leaves nothing to release
  }
  void Release() {
    if (holds_ > 0 && --holds_ == 0) held_.reset();
  }

 private:
  std::optional<Target> held_;
  int holds_ = 0;
};

}  // namespace k32
