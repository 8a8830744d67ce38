#pragma once

#include <optional>

namespace zorva {

// The help context of a help request for a control: its own, else that of
// the nearest window above it that has one; none when no window of the
// chain has one (then F1 does nothing). Window is a handle type that is
// false at the top of the chain.
template <typename Window, typename ParentOf, typename ContextOf>
std::optional<int> ChainHelpContext(Window control, ParentOf parentOf, ContextOf contextOf) {
  for (Window window = control; window; window = parentOf(window))
    if (const int context = contextOf(window)) return context;
  return std::nullopt;
}

}  // namespace zorva
