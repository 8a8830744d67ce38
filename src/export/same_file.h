#pragma once

#include <string>

namespace zorva {

// Whether two paths lead to one and the same existing file, however they are
// spelt: through links, other letter case or other folders. False when
// either is not there.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace zorva
