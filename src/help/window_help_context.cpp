#include "help/window_help_context.h"

#include "help/help_context.h"

namespace zorva {

std::optional<int> WindowHelpContext(HWND control) {
  // The chain ends at the top-level window: an owner is not a parent.
  const auto parentOf = [](HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
  };
  const auto contextOf = [](HWND window) { return static_cast<int>(GetWindowContextHelpId(window)); };
  return ChainHelpContext(control, parentOf, contextOf);
}

std::optional<int> HelpRequestContext(const HELPINFO& request) {
  if (request.iContextType == HELPINFO_MENUITEM) return 0;
  return WindowHelpContext(static_cast<HWND>(request.hItemHandle));
}

}  // namespace zorva
