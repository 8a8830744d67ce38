#pragma once

#include <string>

#include "textforms/column_value.h"

namespace zorva {

// The era elements of a picture: a run of `count` letters g (the era's name)
// or e (the year within the era), for the calendar of the user's locale.
std::string EraText(char letter, int count, const DateTime& moment);

}  // namespace zorva
