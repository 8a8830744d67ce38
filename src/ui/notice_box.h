#pragma once

#include <string>

namespace zorva {

// The program's own modal notice box: the text exactly as given, the
// application title as caption, no icon and one button "Aceptar". Returns
// when the box has been closed (Enter, Esc, the button or its close box).
void ShowNotice(const std::string& text);

}  // namespace zorva
