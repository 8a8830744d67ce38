#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "help/help_engine.h"
#include "help/help_manager.h"
#include "help/html_help_viewer.h"

namespace zorva {

// The program's help file, looked for in the program folder.
inline constexpr char kProgramHelpFile[] = "NA.chm";

// The program's help from start to end: the help manager and the HTML Help
// viewer registered with it, serving the application's help file. At the
// end the viewer leaves the manager, and the engine goes with the viewer.
class ProgramHelp {
 public:
  // engine is null when the HTML Help engine could not be loaded; the
  // program's help then does nothing. programFolder ends with its separator.
  // applicationHelpFile is the application's help file, which the
  // application sets and which outlives this object.
  ProgramHelp(std::unique_ptr<HelpEngine> engine, std::string programFolder,
              const std::string& applicationHelpFile);
  ProgramHelp(const ProgramHelp&) = delete;
  ProgramHelp& operator=(const ProgramHelp&) = delete;
  ~ProgramHelp();

  // F1: context help with the context found for the focused control.
  void ContextHelp(int context);
  // The application's help command with its data, for the application's
  // help file; nothing happens while there is none.
  void HelpCommand(unsigned command, std::uintptr_t data);

 private:
  HelpManager manager_;
  const std::string& helpFile_;
  std::shared_ptr<HtmlHelpViewer> viewer_;
};

}  // namespace zorva
