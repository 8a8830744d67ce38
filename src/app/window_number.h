#pragma once

#include <cstdint>
#include <string_view>

namespace zorva {

// The host's window number: "$" followed by the parameter, read as a
// hexadecimal number of at most 32 bits (leading zeros aside). Anything else
// raises the command-line failure "'$…' no es un valor entero válido".
std::uint32_t ReadWindowNumber(std::string_view parameter);

}  // namespace zorva
