#include "common/dpi_scale.h"

#include <climits>
#include <cstdlib>
#include <initializer_list>

namespace k32 {

int ScaleBetweenDpi(int value, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || toDpi <= 0) return value;
  const long long product = static_cast<long long>(value) * toDpi;
  const long long rounded = (std::llabs(product) + fromDpi / 2) / fromDpi;
  const long long scaled = product < 0 ? -rounded : rounded;
  return static_cast<int>(scaled < INT_MIN ? INT_MIN : scaled > INT_MAX ? INT_MAX : scaled);
}

int ScaleToDpi(int value, int dpi) { return ScaleBetweenDpi(value, kDesignDpi, dpi); }

int PictureSizeForDpi(int dpi) {
  const int wanted = ScaleToDpi(16, dpi);
  int best = 16;
  for (int size : {16, 20, 24, 32})
    if (std::abs(size - wanted) <= std::abs(best - wanted)) best = size;
  return best;
}

}  // namespace k32
