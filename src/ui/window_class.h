#pragma once

#include <windows.h>

#include "ui/event_dispatch.h"

namespace zorva {

// Registers a window class of this program once.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr);

// Whether no Shift, Ctrl or Alt is held; whether Ctrl alone is.
bool NoModifierHeld();
bool OnlyCtrlHeld();

// The window procedure of a class whose windows belong to an object of type
// Owner, passed as the creation parameter: the owner takes the handle at
// WM_NCCREATE and lets it go at WM_NCDESTROY, and every message in between
// reaches Owner::HandleMessage through the event dispatch, with the handle
// it was sent to: while the owner's handle is being dropped it already holds
// none.
template <typename Owner>
LRESULT CALLBACK RoutedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    owner->AdoptWindow(window);
  }
  auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!owner) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    owner->ReleaseWindow(window);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return DispatchMessageSafely([&] { return owner->HandleMessage(window, message, wParam, lParam); });
}

}  // namespace zorva
