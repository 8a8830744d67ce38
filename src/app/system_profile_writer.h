#pragma once

#include <string>

#include "app/run_modes.h"

namespace zorva {

// Profile keys written by the system's own profile-file writing, which
// keeps the file's other sections and keys as they are.
class SystemProfileWriter final : public ProfileWriter {
 public:
  bool WriteProfileKey(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) override;
};

}  // namespace zorva
