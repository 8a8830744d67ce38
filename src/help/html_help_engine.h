#pragma once

#include <memory>

#include "help/help_engine.h"

namespace zorva {

// Loads the HTML Help engine library (HHCtrl.ocx) from the system folder and
// looks up its entry HtmlHelpA. Null when either is missing: the program's help then does
// nothing, and nothing is reported. The library stays loaded as long as the
// engine lives.
std::unique_ptr<HelpEngine> LoadHtmlHelpEngine();

}  // namespace zorva
