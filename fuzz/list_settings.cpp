// Stored list-setting texts, whatever they hold, read back into values the list can apply, and
// the values the list writes read back unchanged.
#include <numeric>
#include <string>
#include <vector>

#include "check.h"
#include "fuzz_input.h"
#include "listview/list_settings_codec.h"

using namespace k32;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const int columns = in.Pick(12) - 1;  // -1 .. 10
  const int current_style = in.Pick(4);
  const std::string_view stored = in.Text();

  const std::vector<int> order = ParseColumnOrder(stored, columns);
  FUZZ_CHECK(IsColumnPermutation(order, columns < 0 ? 0 : columns));
  if (columns > 0) FUZZ_CHECK(ParseColumnOrder(FormatIntegerList(order), columns) == order);

  std::vector<int> current(columns < 0 ? 0 : columns);
  std::iota(current.begin(), current.end(), 100);
  if (const auto sizes = ParseColumnSizes(stored, current)) {
    FUZZ_CHECK(sizes->size() == current.size() && (*sizes)[0] != -1);
    FUZZ_CHECK(ParseColumnSizes(FormatIntegerList(*sizes), current) == sizes);
  }

  const int column = ParseSortColumn(stored, columns);
  FUZZ_CHECK(column >= 0 && (column == 0 || column < columns));
  const int style = ParseViewStyle(stored, current_style);
  FUZZ_CHECK(style >= 0 && style <= 3);
  const bool ascending = ParseAscending(stored);
  FUZZ_CHECK(ParseAscending(FormatFlag(ascending)) == ascending);

  if (const auto value = ParseInteger(stored)) {
    FUZZ_CHECK(ParseInteger(FormatInteger(*value)) == value);
    FUZZ_CHECK(ParseSortColumn(FormatInteger(*value), columns) == column);
  }
  return 0;
}
