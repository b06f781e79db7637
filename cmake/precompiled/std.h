// Standard headers nearly every file reads, compiled once per target. Marked as a system header:
// what the compiler says about code inlined from them stays quiet, as it is for a plain include.
#pragma GCC system_header
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
