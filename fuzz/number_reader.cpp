// Cell texts read as numbers: never NaN, the blank cut and the plain reading agree with the cell
// reading, and the plain reading gives what the C runtime gives for the same text.
#include <cmath>
#include <cstdlib>
#include <string>

#include "check.h"
#include "fuzz_input.h"
#include "listview/cell_reading.h"

using namespace k32;

namespace {

// A text the plain syntax took: with mantissa digits it is also a text strtold takes whole, and
// correctly rounded the two agree; without any it is 0.
void CheckAgainstRuntime(const std::string& text, long double value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  int digits = 0, significant = 0;
  for (; i < text.size() && ((text[i] >= '0' && text[i] <= '9') || text[i] == '.'); ++i) {
    if (text[i] == '.') continue;
    ++digits;
    if (significant > 0 || text[i] != '0') ++significant;
  }
  if (digits == 0) {
    FUZZ_CHECK(value == 0);
    return;
  }
  char* end = nullptr;
  const long double expected = std::strtold(text.c_str(), &end);
  FUZZ_CHECK(*end == '\0');
  if (significant <= 40 || std::isinf(expected) || expected == 0)
    FUZZ_CHECK(value == expected);
  else
    FUZZ_CHECK(std::fabs(value - expected) <= std::fabs(expected) * 1e-18L);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const SortLocale locale = fuzz::LocaleFrom(in);
  const std::string text(in.Rest());

  const auto plain = ReadPlainNumber(text);
  if (plain) {
    FUZZ_CHECK(!std::isnan(*plain));
    CheckAgainstRuntime(text, *plain);
  }
  const auto cell = ReadCellNumber(text, locale);
  if (cell) FUZZ_CHECK(!std::isnan(*cell));
  const std::size_t blank = text.find(' ');
  if (blank == std::string::npos && plain) FUZZ_CHECK(cell == plain);
  FUZZ_CHECK(ReadCellNumber(std::string_view(text).substr(0, blank), locale) == cell);
  return 0;
}
