#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"

namespace zorva {

// The files that an export reads: each table's file and the memo files
// beside it, those that are there, as the table engine finds them in the
// folders that the command line names.
std::vector<std::string> InputFiles(const std::string& tables, const std::string& solution);

// The command, or a usage error when its output is one of the files that
// the export reads, however the path spells it: the document would replace
// the school's table.
CommandLine RefuseInputAsOutput(CommandLine command);

}  // namespace zorva
