// Readable list rows in test failure messages.
#pragma once

#include <ostream>

#include "process/list_rows.h"

namespace k32 {

inline void PrintTo(const ListRow& row, std::ostream* out) {
  *out << "{\"" << row.caption << "\"";
  for (const std::string& text : row.subItems) *out << ", \"" << text << "\"";
  *out << " | image " << row.image << "}";
}

}  // namespace k32
