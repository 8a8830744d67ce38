#pragma once

#include <windows.h>

#include <optional>

namespace zorva {

// The help context of a help request for a window or control: the first
// non-zero context up its chain of parents, none when the chain has none
// (then F1 does nothing).
std::optional<int> WindowHelpContext(HWND control);

// The help context a WM_HELP request asks for: that of its window or
// control; for a menu, the context of the window's menu items, which carry
// none, so 0.
std::optional<int> HelpRequestContext(const HELPINFO& request);

}  // namespace zorva
