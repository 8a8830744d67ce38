#pragma once

#include <windows.h>

#include <vector>

namespace zorva {

// The calling thread's shown top-level windows, front first. The z-order is
// walked here rather than through a system callback, which nothing may
// unwind through.
std::vector<HWND> ShownThreadWindows();

// The main window while it lives inside the host's window. The system does
// not count it among the program's top-level windows, so the boxes disable
// it by name and the desktop's announcements are passed on to it.
// Set while the main window is such a child; null when it is not.
void SetHostedWindow(HWND window);
std::vector<HWND> HostedWindows();  // it, or none

// Windows that take no input while a box is open: those of the given ones
// that are enabled now are disabled, and enabled again at the end of the
// scope.
class DisabledWindows {
 public:
  explicit DisabledWindows(const std::vector<HWND>& windows);
  ~DisabledWindows();
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;

 private:
  std::vector<HWND> disabled_;
};

}  // namespace zorva
