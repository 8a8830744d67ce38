#pragma once

#include <windows.h>

#include "ui/window_handles.h"

namespace zorva {

// A top-level window that stands for the program as a whole. It carries the
// program's taskbar entry, captioned with the application title: the main
// window, when it is top-level, is owned by it and so has no entry of its
// own. Activating the entry activates the main window (or the dialog in
// front of it), and closing it closes the main window.
//
// It also receives the system's broadcasts, which the main window misses
// while it is a child of the host's window: a settings change, or a taskbar
// made anew, loads the regional settings again under the user's default
// locale; a change of the desktop's colours is passed on to that window.
//
// It has no size, so nothing of it is ever seen but its taskbar entry, and
// it is shown only by a top-level main window (see TMForm::Show).
class ApplicationWindow {
 public:
  ApplicationWindow();

  HWND handle() const { return window_.get(); }

 private:
  unique_hwnd window_;
};

}  // namespace zorva
