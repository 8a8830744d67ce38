#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace zorva {

// SaveDialogXML: the common save dialog titled "Guardar Archivo XML", with
// the one file type "*.xml", "xml" added to a name typed without an
// extension, the read-only box hidden and the dialog resizable. It never
// asks before an existing file is replaced. Offers `offered` as the name;
// gives the confirmed full path, or nothing when cancelled.
std::optional<std::string> SaveDialogXML(HWND owner, const std::string& offered);

}  // namespace zorva
