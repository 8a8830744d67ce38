#pragma once

#include <windows.h>

#include <optional>

namespace zorva {

// The help context a help request (WM_HELP) asks for: for a window or
// control, the first non-zero context up its chain of parents, none when
// the chain has none (F1 then does nothing); for a menu, the context of the
// window's menu items, which carry none, so 0.
std::optional<int> HelpRequestContext(const HELPINFO& request);

}  // namespace zorva
