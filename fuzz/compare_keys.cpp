// Two cells compared pair by pair and through their sort keys give the same result, in both
// directions and every mode, and swapping the cells negates it.
#include <string>

#include "check.h"
#include "fuzz_input.h"
#include "listview/smart_compare.h"

using namespace k32;

namespace {
int Bytes(std::string_view a, std::string_view b) { return a.compare(b); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const SortLocale locale = fuzz::LocaleFrom(in);
  const std::string_view a = in.Text();
  const std::string_view b = in.Text();
  const SortKey ka = MakeSortKey(a, locale);
  const SortKey kb = MakeSortKey(b, locale);
  for (const TAutoSortStyle style : {assSmart, assDefault}) {
    for (const int direction : {1, -1}) {
      const int pair = SmartCompare(a, b, style, locale, Bytes, direction);
      FUZZ_CHECK(pair >= -1 && pair <= 1);
      FUZZ_CHECK(pair == CompareSortKeys(ka, kb, style, Bytes, direction));
      FUZZ_CHECK(pair == -SmartCompare(b, a, style, locale, Bytes, direction));
      FUZZ_CHECK(pair == -SmartCompare(a, b, style, locale, Bytes, -direction));
    }
  }
  for (const TSortAs as : {saNone, saString, saNumeric, saDateTime}) {
    const int pair = CompareAs(a, b, as, locale, Bytes, 1);
    FUZZ_CHECK(pair == CompareSortKeysAs(ka, kb, as, Bytes, 1));
    FUZZ_CHECK(pair == -CompareAs(b, a, as, locale, Bytes, 1));
  }
  return 0;
}
