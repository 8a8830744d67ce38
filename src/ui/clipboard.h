#pragma once

#include <windows.h>

#include <string>

#include "ui/window_handles.h"

namespace zorva {

// A text in the memory the clipboard takes; empty when the system has none
// to give.
unique_hglobal ClipboardTextMemory(const std::wstring& text);

// Puts a text prepared by ClipboardTextMemory on the clipboard in place of
// whatever it held. False when there is no prepared text or the clipboard
// cannot be opened: then it keeps what it held.
bool PutOnClipboard(HWND owner, unique_hglobal text);

}  // namespace zorva
