#include "ui/thread_windows.h"

namespace zorva {

std::vector<HWND> ShownThreadWindows() {
  std::vector<HWND> windows;
  const DWORD thread = GetCurrentThreadId();
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
    if (GetWindowThreadProcessId(window, nullptr) == thread && IsWindowVisible(window)) windows.push_back(window);
  return windows;
}

}  // namespace zorva
