#include "ui/mul_div.h"

#include <cstdint>

namespace zorva {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t magnitude = product < 0 ? -product : product;
  const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
  magnitude = (2 * magnitude + divisor) / (2 * divisor);
  const bool negative = (product < 0) != (c < 0);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace zorva
