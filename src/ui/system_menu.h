#pragma once

#include <windows.h>

namespace zorva {

// Leaves only the move and close commands in a window's system menu, with
// one separator between them, whatever else the desktop put there (Wine,
// for one, adds an item of its own below "Close").
void KeepOnlyMoveAndClose(HWND window);

}  // namespace zorva
