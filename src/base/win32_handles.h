#pragma once

// The owners of the system's kernel handles that any layer may hold; the
// window and drawing owners are the window code's (ui/window_handles.h).
#include <windows.h>

#include "base/unique_handle.h"

namespace zorva {

struct FreeLibraryCloser {
  static void Close(HMODULE handle) { FreeLibrary(handle); }
};
struct GlobalFreeCloser {
  static void Close(HGLOBAL handle) { GlobalFree(handle); }
};
// A file's handle, which the system marks empty as CreateFile's failure does.
struct CloseFileHandle {
  static void Close(HANDLE handle) { CloseHandle(handle); }
  static HANDLE Empty() noexcept { return INVALID_HANDLE_VALUE; }
};

using unique_hmodule = unique_handle<HMODULE, FreeLibraryCloser>;
using unique_hglobal = unique_handle<HGLOBAL, GlobalFreeCloser>;
using unique_file = unique_handle<HANDLE, CloseFileHandle>;

}  // namespace zorva
