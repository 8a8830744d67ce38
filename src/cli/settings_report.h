#pragma once

#include <string>

#include "textforms/regional_formats.h"

namespace zorva {

// The regional settings as "key=value" lines, one per setting; a mark
// that is NUL shows as an empty value, and names are listed with commas.
std::string SettingsReport(const RegionalFormats& formats);

}  // namespace zorva
