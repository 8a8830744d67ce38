#include "app/application_window.h"

#include "textforms/regional_formats.h"
#include "ui/application.h"
#include "ui/event_dispatch.h"
#include "ui/wide_text.h"

namespace zorva {
namespace {

constexpr wchar_t kClassName[] = L"TApplicationWindow";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTINGCHANGE)
    return DispatchMessageSafely([] {
      LoadRegionalFormats();
      return LRESULT{0};
    });
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

ApplicationWindow::ApplicationWindow() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
  window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, WideText(TheApplication().Title).c_str(), WS_POPUP, 0,
                                0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

}  // namespace zorva
