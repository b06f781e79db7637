// What the commands of the process page act on, read from its lists at one moment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "gui/listview.h"

namespace k32 {

struct ProcessTargets {
  // The selected process row's identifier; none when no row is selected.
  std::optional<std::uint32_t> process;
  // Its creation time, as the row's snapshot gave it.
  std::uint64_t createTime = 0;
  // The selected process row is marked gone: the process has ended.
  bool ended = false;
  // The selected module row's path while the module list has the keyboard focus; none otherwise.
  std::optional<decltype(gui::TListItem::Caption)> modulePath;
};

ProcessTargets ReadProcessTargets(const gui::TListView& processes, const gui::TListView& modules);

}  // namespace k32
