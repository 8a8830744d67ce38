#include "ui/button_focus.h"

#include "ui/window_class.h"

namespace zorva {

void ButtonFocus::Use(const Buttons& buttons) {
  buttons_ = buttons;
  focusOnDeactivate_ = nullptr;
}

HWND ButtonFocus::Handle(Control button) const {
  switch (button) {
    case Control::BImportar:
      return buttons_.bImportar;
    case Control::BClose:
      return buttons_.bClose;
    case Control::Button1:
      return buttons_.button1;
    default:
      return nullptr;
  }
}

std::optional<Control> ButtonFocus::Focused() const {
  const HWND focus = GetFocus();
  for (Control button : kTabOrder)
    if (focus && focus == Handle(button)) return button;
  return std::nullopt;
}

void ButtonFocus::Focus(Control button) const { SetFocus(Handle(button)); }

void ButtonFocus::Press(Control button) const {
  SendMessageW(buttons_.window, WM_COMMAND, MAKEWPARAM(ControlId(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(Handle(button)));
}

// With no button focused, "Aceptar" carries the mark as the default button.
void ButtonFocus::UpdateDefaultMarks() const {
  const bool button1Focused = Focused() == Control::Button1;
  SendMessageW(buttons_.button1, BM_SETSTYLE, (button1Focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY,
               TRUE);
  InvalidateRect(buttons_.bImportar, nullptr, FALSE);
  InvalidateRect(buttons_.bClose, nullptr, FALSE);
}

void ButtonFocus::Activated(bool active) {
  if (!active) {
    focusOnDeactivate_ = GetFocus();
    return;
  }
  // The control that had the focus gets it back; when none had it, the
  // first button in tab order takes it.
  const HWND previous = focusOnDeactivate_;
  const bool previousIsButton =
      previous && IsWindowVisible(previous) &&
      (previous == buttons_.bImportar || previous == buttons_.bClose || previous == buttons_.button1);
  if (previousIsButton) {
    SetFocus(previous);
  } else if (const std::optional<Control> first = NextInTabOrder(std::nullopt, true, exportButtonShown_)) {
    Focus(*first);
  }
}

bool ButtonFocus::HandleKey(const MSG& message) {
  const HWND window = buttons_.window;
  if (!window || (message.hwnd != window && !IsChild(window, message.hwnd))) return false;
  const std::optional<Control> focused = Focused();

  if (message.message == WM_CHAR || message.message == WM_SYSCHAR) {
    // "S" is the accelerator of "Salir", with or without Alt.
    if (message.wParam == 's' || message.wParam == 'S') {
      Press(Control::BClose);
      return true;
    }
    return false;
  }
  if (message.message != WM_KEYDOWN) return false;
  switch (message.wParam) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
      if (const auto next = NextInTabOrder(focused, GetKeyState(VK_SHIFT) >= 0, exportButtonShown_))
        Focus(*next);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (focused)
        Focus(NextInPanel(*focused, message.wParam == VK_RIGHT || message.wParam == VK_DOWN,
                          exportButtonShown_));
      return true;
    case VK_RETURN:
      if (!NoModifierHeld()) return false;
      if (focused)
        Press(*focused);
      else if (exportButtonShown_)
        Press(Control::BImportar);
      return true;
    case VK_ESCAPE:
      return true;  // no button cancels
    default:
      return false;
  }
}

}  // namespace zorva
