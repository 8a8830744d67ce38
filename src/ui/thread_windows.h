#pragma once

#include <windows.h>

#include <vector>

namespace zorva {

// The calling thread's shown top-level windows, front first. The z-order is
// walked here rather than through a system callback, which nothing may
// unwind through.
std::vector<HWND> ShownThreadWindows();

}  // namespace zorva
