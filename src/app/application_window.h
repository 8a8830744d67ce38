#pragma once

#include "ui/win32_handles.h"

namespace zorva {

// A hidden top-level window that stands for the program as a whole. It
// receives the system's broadcasts, which the main window misses while it
// is a child of the host's window: a settings change, or a taskbar made
// anew, loads the regional settings again under the user's default locale.
class ApplicationWindow {
 public:
  ApplicationWindow();

 private:
  unique_hwnd window_;
};

}  // namespace zorva
