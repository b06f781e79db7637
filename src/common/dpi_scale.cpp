#include "common/dpi_scale.h"

#include <cstdlib>
#include <initializer_list>

namespace k32 {

int ScaleBetweenDpi(int value, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || toDpi <= 0) return value;
  const long long product = static_cast<long long>(value) * toDpi;
  const long long rounded = (std::llabs(product) + fromDpi / 2) / fromDpi;
  return static_cast<int>(product < 0 ? -rounded : rounded);
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
