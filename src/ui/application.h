#pragma once

#include <string>

namespace zorva {

// The application-wide settings made at start: the title that captions the
// program's message boxes, and the help file's name.
struct Application {
  std::string Title;
  std::string HelpFile;
};

Application& TheApplication();

}  // namespace zorva
