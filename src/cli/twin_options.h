#pragma once

#include <string>
#include <vector>

namespace zorva {

// What zorva-export was asked to do.
struct CommandLine {
  enum class Action { Export, ShowSettings, Help, Version, UsageError };

  Action action = Action::Export;
  std::string tables = ".";  // the folder of Asig.DBF, NOMASG, PROF, GRUP and AULA
  std::string solution;      // the folder of SOLUC; the tables' folder unless given
  std::string output;        // the full path of the document, with ".xml" added to a name without extension
  std::string error;         // what was wrong, for UsageError
};

// Reads the arguments that follow the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The command, or a usage error when its output is one of the files that
// the export reads, however the path spells it: the document would replace
// the school's table.
CommandLine RefuseInputAsOutput(CommandLine command);

// The short usage text, and the full help.
std::string UsageText();
std::string HelpText();

}  // namespace zorva
