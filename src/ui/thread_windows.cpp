#include "ui/thread_windows.h"

namespace zorva {
namespace {

HWND hostedWindow = nullptr;

}  // namespace

std::vector<HWND> ShownThreadWindows() {
  std::vector<HWND> windows;
  const DWORD thread = GetCurrentThreadId();
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
    if (GetWindowThreadProcessId(window, nullptr) == thread && IsWindowVisible(window))
      windows.push_back(window);
  return windows;
}

void SetHostedWindow(HWND window) { hostedWindow = window; }

std::vector<HWND> HostedWindows() {
  if (hostedWindow && IsWindow(hostedWindow)) return {hostedWindow};
  return {};
}

DisabledWindows::DisabledWindows(const std::vector<HWND>& windows) {
  disabled_.reserve(windows.size());
  for (HWND window : windows)
    if (IsWindowEnabled(window)) disabled_.push_back(window);
  for (HWND window : disabled_) EnableWindow(window, FALSE);
}

DisabledWindows::~DisabledWindows() {
  for (HWND window : disabled_)
    if (IsWindow(window)) EnableWindow(window, TRUE);
}

}  // namespace zorva
