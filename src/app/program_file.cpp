#include "app/program_file.h"

#include <windows.h>

#include <vector>

namespace zorva {

std::string ProgramFilePath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return std::string(path.data(), length);
    path.resize(path.size() * 2);  // cut short: try again with more room
  }
}

std::string ProgramFolder() {
  const std::string path = ProgramFilePath();
  return path.substr(0, path.find_last_of("\\/") + 1);
}

}  // namespace zorva
