#pragma once

#include <string>
#include <string_view>

namespace zorva {

// Program text as the system's 16-bit text, and back.
std::wstring WideText(std::string_view programText);
std::string ProgramText(std::wstring_view wide);

}  // namespace zorva
