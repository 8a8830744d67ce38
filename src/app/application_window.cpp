#include "app/application_window.h"

#include "textforms/regional_formats.h"
#include "ui/application.h"
#include "ui/event_dispatch.h"
#include "ui/wide_text.h"
#include "ui/window_class.h"

namespace zorva {
namespace {

constexpr wchar_t kClassName[] = L"TApplicationWindow";

// Announces that the taskbar has been made anew, as after the shell restarts.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const UINT taskbarCreated = TaskbarCreatedMessage();
  if (message == WM_SETTINGCHANGE || (taskbarCreated && message == taskbarCreated))
    return DispatchMessageSafely([] {
      ReloadRegionalFormats();
      return LRESULT{0};
    });
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

ApplicationWindow::ApplicationWindow() {
  RegisterWindowClass(kClassName, WindowProc);
  window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, WideText(TheApplication().Title).c_str(), WS_POPUP, 0,
                                0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

}  // namespace zorva
