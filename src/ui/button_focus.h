#pragma once

#include <windows.h>

#include <optional>

#include "ui/window_layout.h"

namespace zorva {

// The main window's keyboard, on the tab-order arithmetic of its layout: Tab
// and the arrows move the focus among the three buttons, Enter presses the
// focused one (or "Aceptar" when none is), "S" presses "Salir", Escape does
// nothing; the default mark goes with the focus, and activating the window
// gives the focus back to the button that had it.
class ButtonFocus {
 public:
  struct Buttons {
    HWND window = nullptr;  // receives the presses as WM_COMMAND
    HWND bImportar = nullptr;
    HWND bClose = nullptr;
    HWND button1 = nullptr;
  };

  // The buttons of the window that stands now: one made anew brings its own.
  void Use(const Buttons& buttons);

  // "Aceptar" is hidden for good: the keys pass over it from then on.
  void ExportButtonHidden() { exportButtonShown_ = false; }

  std::optional<Control> Focused() const;
  void UpdateDefaultMarks() const;

  // A key message, looked at before it is dispatched; true when used here.
  bool HandleKey(const MSG& message);

  void Activated(bool active);

 private:
  HWND Handle(Control button) const;
  void Focus(Control button) const;
  void Press(Control button) const;

  Buttons buttons_;
  bool exportButtonShown_ = true;
  HWND focusOnDeactivate_ = nullptr;
};

}  // namespace zorva
