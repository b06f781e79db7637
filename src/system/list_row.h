// A row of a list as plain texts, as the pages build it from what the system says and the lists
// show it.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace k32 {

// Texts as wide as the names they hold.
struct ListRow {
  std::wstring caption;
  std::vector<std::wstring> subItems;
  int image = 0;
  // What tells the row from every other across refreshes where its shown texts cannot (a process:
  // its identifier and creation time); empty where the list's key columns do.
  std::wstring key;

  bool operator==(const ListRow&) const = default;
};

// A row's sub-item texts moved in (a braced list would copy each of them).
template <typename... Texts>
std::vector<std::wstring> Cells(Texts&&... texts) {
  std::vector<std::wstring> cells;
  cells.reserve(sizeof...(texts));
  (cells.emplace_back(std::forward<Texts>(texts)), ...);
  return cells;
}

}  // namespace k32
