#pragma once

#include <cstddef>
#include <cstdint>

// Integers stored in table and memo files, whatever the processor's order.
namespace zorva::dbase {

inline std::uint64_t LittleEndian(const unsigned char* bytes, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

inline std::uint64_t BigEndian(const unsigned char* bytes, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value = value << 8 | bytes[i];
  return value;
}

}  // namespace zorva::dbase
