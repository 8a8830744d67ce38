#include "help/program_help.h"

#include <utility>

namespace zorva {

// No window of the program has a help file of its own, so the application's
// help file is always the current one.
ProgramHelp::ProgramHelp(std::unique_ptr<HelpEngine> engine, std::string programFolder,
                         const std::string& applicationHelpFile)
    : helpFile_(applicationHelpFile),
      viewer_(std::make_shared<HtmlHelpViewer>(std::move(engine), std::move(programFolder),
                                               [this] { return helpFile_; })) {
  viewer_->RegisterWith(manager_);
}

ProgramHelp::~ProgramHelp() { viewer_->Unregister(); }

void ProgramHelp::ContextHelp(int context) { manager_.ContextHelp(context, helpFile_); }

void ProgramHelp::HelpCommand(unsigned command, std::uintptr_t data) {
  if (!helpFile_.empty()) manager_.HelpCommand(command, data, helpFile_);
}

}  // namespace zorva
