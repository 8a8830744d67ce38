#pragma once

#include <string>

namespace zorva {

// The full path of the running program file, as the system reports it.
std::string ProgramFilePath();

// Its folder, ending with the path separator.
std::string ProgramFolder();

}  // namespace zorva
