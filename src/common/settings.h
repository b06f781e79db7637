// The options the main window keeps between runs.
#pragma once

#include <cstdint>

namespace k32 {

struct Settings {
  std::int32_t Timer = 20;  // refresh period in seconds
  bool AutoRefresh = false;
  bool Confirm = true;
  // Report flags: which lines the report writes.
  bool ProcID = true;
  bool PProcID = true;
  bool Threads = true;
  bool Priority = true;
  bool Modules = true;
  bool Path = true;
  bool Handle = true;
  bool Size = true;
};

}  // namespace k32
