// TemposZORVA.exe: starts up, shows the main window and runs its events.
#include <windows.h>

#include "app/program_file.h"
#include "app/run_modes.h"
#include "app/start_parameters.h"
#include "base/library_search.h"
#include "export/com_apartment.h"
#include "help/html_help_engine.h"
#include "help/program_help.h"
#include "textforms/regional_formats.h"
#include "ui/application.h"
#include "ui/application_window.h"
#include "ui/event_dispatch.h"
#include "ui/main_window.h"

namespace zorva {
namespace {

void RunMessageLoop(TMForm& form) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void RunProgram() {
  LoadRegionalFormats();
  ProgramHelp help(LoadHtmlHelpEngine(), ProgramFolder(), TheApplication().HelpFile);
  const ComApartment apartment;
  TheApplication().HelpFile = kProgramHelpFile;
  TheApplication().Title = "TemposZORVA";
  const ApplicationWindow applicationWindow;

  ProgramState state;
  const CommandLineParameters parameters(ProgramFilePath(), GetCommandLineA(),
                                         [](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
  TMForm form(state, parameters, ProgramFolder(), help, applicationWindow.handle());
  form.Show();
  RunMessageLoop(form);
}

}  // namespace
}  // namespace zorva

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  zorva::SearchLibrariesInTheSystemFolderOnly();
  zorva::RunHandler(zorva::RunProgram);
  return 0;
}
