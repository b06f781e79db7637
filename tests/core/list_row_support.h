// List rows in tests: written in one line, printed readably when a comparison fails.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "process/list_rows.h"

namespace k32 {

inline ListRow Row(std::string caption, std::vector<std::string> subItems, int image) {
  return {std::move(caption), std::move(subItems), image};
}

inline void PrintTo(const ListRow& row, std::ostream* out) {
  *out << "{\"" << row.caption << "\"";
  for (const std::string& text : row.subItems) *out << ", \"" << text << "\"";
  *out << " | image " << row.image << "}";
}

}  // namespace k32
