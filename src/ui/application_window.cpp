#include "ui/application_window.h"

#include "textforms/failure.h"
#include "textforms/regional_formats.h"
#include "textforms/system_text.h"
#include "ui/application.h"
#include "ui/event_dispatch.h"
#include "ui/system_menu.h"
#include "ui/thread_windows.h"
#include "ui/wide_text.h"
#include "ui/window_class.h"

namespace zorva {
namespace {

constexpr wchar_t kClassName[] = L"TApplicationWindow";
// A caption and a system menu make a taskbar entry that can be closed; no
// minimise box, as the main window cannot be minimised either.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
// Activation is passed on once the system has finished activating this
// window, never from within its activation.
constexpr UINT kPassActivationOn = WM_APP + 1;

// Announces that the taskbar has been made anew, as after the shell restarts.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

// The program's frontmost window that takes input: the main window, or the
// dialog that holds it disabled.
HWND FrontmostEnabled(HWND self) {
  for (HWND window : ShownThreadWindows())
    if (window != self && IsWindowEnabled(window)) return window;
  return nullptr;
}

// The main window, while no dialog holds it disabled.
HWND EnabledMainWindow(HWND self) {
  for (HWND window : ShownThreadWindows())
    if (GetWindow(window, GW_OWNER) == self) return IsWindowEnabled(window) ? window : nullptr;
  return nullptr;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const UINT taskbarCreated = TaskbarCreatedMessage();
  if (message == WM_SETTINGCHANGE || (taskbarCreated && message == taskbarCreated))
    return DispatchMessageSafely([] {
      ReloadRegionalFormats();
      return LRESULT{0};
    });
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) PostMessageW(window, kPassActivationOn, 0, 0);
      return 0;
    case kPassActivationOn:
      if (GetActiveWindow() == window)
        if (const HWND target = FrontmostEnabled(window)) SetActiveWindow(target);
      return 0;
    case WM_SYSCOLORCHANGE:
      // Only top-level windows hear of it: the main window inside the
      // host's hears it from here.
      for (HWND hosted : HostedWindows()) SendMessageW(hosted, message, wParam, lParam);
      return 0;
    case WM_CLOSE:
      // A dialog in front of the main window is answered first.
      if (const HWND main = EnabledMainWindow(window)) PostMessageW(main, WM_CLOSE, 0, 0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

ApplicationWindow::ApplicationWindow() {
  RegisterWindowClass(kClassName, WindowProc);
  window_.reset(CreateWindowExW(0, kClassName, WideText(TheApplication().Title).c_str(), kStyle,
                                GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  if (!window_) throw Failure(FailureKind::System, LastSystemErrorText());
  KeepOnlyMoveAndClose(window_.get());
}

}  // namespace zorva
