#pragma once

#include "textforms/failure.h"

namespace zorva {

// Shows a failure in the desktop's error box, captioned with the application
// title, unless it is of the silent kind. Returns when the box is closed.
void ReportFailure(const Failure& failure) noexcept;

}  // namespace zorva
