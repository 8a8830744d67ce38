#pragma once

#include <cstdint>
#include <string>

// Windows only: the system's own words for an error code.
namespace zorva {

// The system's message for an error code or HRESULT, as program text
// without the line break, spaces and periods it ends in; empty when the
// system has none.
std::string SystemText(std::uint32_t code);

// The system's message for the calling thread's last error; for code 0, or
// a code the system has no message for, "Error del sistema <code>".
std::string LastSystemErrorText();

}  // namespace zorva
