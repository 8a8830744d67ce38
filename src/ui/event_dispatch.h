#pragma once

#include <windows.h>

#include <functional>

namespace zorva {

// Runs one event handler. This is the only place that catches a failure:
// whatever a handler raises is shown by ReportFailure and the event counts
// as handled. Returns false when the handler failed.
bool RunHandler(const std::function<void()>& handler);

// A window procedure's body run through RunHandler; `handled` is what the
// message returns when its handler fails.
template <typename Body>
LRESULT DispatchMessageSafely(Body&& body, LRESULT handled = 0) {
  LRESULT result = handled;
  RunHandler([&] { result = body(); });
  return result;
}

}  // namespace zorva
