#include "app/system_profile_writer.h"

#include <windows.h>

namespace zorva {

bool SystemProfileWriter::WriteProfileKey(const std::string& path, const std::string& section,
                                          const std::string& key, const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

}  // namespace zorva
