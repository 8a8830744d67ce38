#include <cstdint>
#include <string>

#include "textforms/column_text.h"

namespace zorva {

std::string FixedPointText(std::int64_t tenThousandths, char decimalMark) {
  if (tenThousandths == 0) return "0";
  // Unsigned, so that the most negative count has a magnitude too.
  const std::uint64_t magnitude = tenThousandths < 0 ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                                     : static_cast<std::uint64_t>(tenThousandths);
  std::string text = tenThousandths < 0 ? "-" : "";
  text += std::to_string(magnitude / 10000);
  if (const std::uint64_t fraction = magnitude % 10000) {
    std::string digits = std::to_string(fraction);
    digits.insert(0, 4 - digits.size(), '0');
    digits.erase(digits.find_last_not_of('0') + 1);
    text += decimalMark + digits;
  }
  return text;
}

}  // namespace zorva
