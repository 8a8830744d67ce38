#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zorva {

// Text read as a 32-bit whole number: leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after $, x, X, 0x or 0X (up to
// FFFFFFFF, read as two's complement). Nothing may follow the number.
std::optional<std::int32_t> ReadWholeNumber(std::string_view text);

}  // namespace zorva
