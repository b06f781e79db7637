// List rows in tests: written in one line, printed readably when a comparison fails.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "process/list_rows.h"

namespace k32 {

inline ListRow Row(std::wstring caption, std::vector<std::wstring> subItems, int image) {
  return {std::move(caption), std::move(subItems), image, {}};
}

inline void PrintTo(const ListRow& row, std::ostream* out) {
  *out << "{" << ::testing::PrintToString(row.caption);
  for (const auto& text : row.subItems) *out << ", " << ::testing::PrintToString(text);
  *out << " | image " << row.image << "}";
}

}  // namespace k32
