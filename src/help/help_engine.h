#pragma once

#include <cstdint>

namespace zorva {

// The commands the viewer sends to the HTML Help engine.
enum HelpEngineCommand : unsigned {
  kEngineDisplayTopic = 0,     // file text "<help file>::/<topic>", data 0
  kEngineDisplayContents = 1,  // data 0
  kEngineDisplayIndex = 2,     // data: the keyword, as a pointer to its text
  kEngineHelpContext = 15,     // data: the context number
  kEngineCloseAll = 18,        // no file, data 0
};

// The one entry of the HTML Help engine: a caller window, a file text (null
// for kEngineCloseAll), a command and its data. The engine's answer is of no use to
// the program, so none is returned.
class HelpEngine {
 public:
  virtual ~HelpEngine() = default;
  virtual void Call(std::uintptr_t caller, const char* file, unsigned command, std::uintptr_t data) = 0;
};

}  // namespace zorva
