#pragma once

// Where the programs let Windows look for the libraries they load.
#include <windows.h>

namespace zorva {

// Narrows the search for every library the process loads by name from now
// on, the system's own included, to the system folder. The program folder is
// writable for Tempovia.ini, and Windows would otherwise look there first.
// Systems without the function keep their search; it is looked up so that
// the program still starts there.
inline void SearchLibrariesInTheSystemFolderOnly() {
  using SetDefaultDllDirectoriesEntry = BOOL(WINAPI*)(DWORD);
  const FARPROC entry = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (entry)
    reinterpret_cast<SetDefaultDllDirectoriesEntry>(reinterpret_cast<void (*)()>(entry))(
        LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace zorva
