#include "ui/failure_box.h"

#include <windows.h>

#include "ui/application.h"
#include "ui/failure_display.h"
#include "ui/thread_windows.h"
#include "ui/wide_text.h"

namespace zorva {

void ReportFailure(const Failure& failure) noexcept {
  if (!IsShownFailure(failure)) return;
  if (GetCapture()) ReleaseCapture();
  // The box belongs to the whole program (task-modal, no owner): it disables
  // every top-level window of the thread while it is open, and the main
  // window is disabled with them where it lives inside the host's.
  // Afterwards the active window and its focused control get their
  // activation and focus back.
  const HWND active = GetActiveWindow();
  const HWND focus = GetFocus();
  // noexcept: running out of memory for the texts ends the program here
  // rather than letting anything unwind through a window procedure.
  {
    const DisabledWindows hosted(HostedWindows());
    MessageBoxW(nullptr, WideText(FailureBoxText(failure.text())).c_str(),
                WideText(TheApplication().Title).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
  if (active && IsWindow(active)) SetActiveWindow(active);
  if (focus && IsWindow(focus)) SetFocus(focus);
}

}  // namespace zorva
