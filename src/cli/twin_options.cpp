#include "cli/twin_options.h"

#include <filesystem>
#include <optional>
#include <utility>

#include "export/input_files.h"

namespace zorva {
namespace {

namespace fs = std::filesystem;

// Only a file name can be confirmed in the save dialog.
bool NamesAFolder(const std::string& name) {
  const fs::path file = fs::path(name).filename();
  return file.empty() || file == "." || file == "..";
}

// The save dialog adds its default extension to a name typed without one.
std::string OutputPath(const std::string& name) {
  fs::path path(name);
  if (!path.has_extension()) path += ".xml";
  return fs::absolute(path).string();
}

CommandLine Only(CommandLine::Action action) {
  CommandLine command;
  command.action = action;
  return command;
}

CommandLine UsageError(std::string error) {
  CommandLine command = Only(CommandLine::Action::UsageError);
  command.error = std::move(error);
  return command;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine command;
  std::optional<std::string> tables, solution, output;
  bool showSettings = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string option = arguments[i];
    std::optional<std::string> value;
    if (const auto equals = option.find('='); option.starts_with("--") && equals != std::string::npos) {
      value = option.substr(equals + 1);
      option.resize(equals);
    }
    if (option == "--help" || option == "-h") return Only(CommandLine::Action::Help);
    if (option == "--version") return Only(CommandLine::Action::Version);
    if (option == "--show-settings" && !value) {
      showSettings = true;
      continue;
    }
    std::optional<std::string>* slot = option == "--tables"     ? &tables
                                       : option == "--solution" ? &solution
                                       : option == "--output"   ? &output
                                                                : nullptr;
    if (!slot) return UsageError("unknown option '" + arguments[i] + "'");
    if (!value) {
      if (++i == arguments.size()) return UsageError(option + " needs a value");
      value = arguments[i];
    }
    if (value->empty()) return UsageError(option + " needs a value");
    if (*slot) return UsageError(option + " given twice");
    *slot = *value;
  }
  if (showSettings) return Only(CommandLine::Action::ShowSettings);
  if (!output) return UsageError("--output is required");
  if (NamesAFolder(*output)) return UsageError("--output names a folder, not a file");
  command.tables = tables.value_or(".");
  command.solution = solution.value_or(command.tables);
  command.output = OutputPath(*output);
  return command;
}

CommandLine RefuseInputAsOutput(CommandLine command) {
  if (command.action != CommandLine::Action::Export) return command;
  // A memo file is read too; the index files and the handshake file are the host's alone.
  constexpr std::pair<HostFileKind, const char*> kWhat[] = {
      {HostFileKind::Table, "the input file"},
      {HostFileKind::MemoFile, "the input file"},
      {HostFileKind::IndexFile, "the index file"},
      {HostFileKind::HandshakeFile, "the host's handshake file"},
  };
  if (const auto hostFile = HostFileAt(command.output, command.tables, command.solution))
    for (const auto& [kind, what] : kWhat)
      if (kind == hostFile->kind)
        return UsageError("--output names " + std::string(what) + " '" + hostFile->path + "'");
  return command;
}

std::string UsageText() {
  return "usage: zorva-export [--tables DIR] [--solution DIR] --output FILE\n"
         "       zorva-export --show-settings | --help | --version\n";
}

std::string HelpText() {
  return UsageText() +
         "\n"
         "Exports a school's timetable, six dBase tables, into the XML document that\n"
         "ZORVA imports, as the export button of TemposZORVA does.\n"
         "\n"
         "  --tables DIR     the folder of Asig.DBF, NOMASG, PROF, GRUP and AULA\n"
         "                   (default: the current folder)\n"
         "  --solution DIR   the folder of SOLUC, the timetable solution\n"
         "                   (default: the --tables folder)\n"
         "  --output FILE    the document to write; \".xml\" is added to a name\n"
         "                   without an extension, and a file of that name is\n"
         "                   replaced only once the document is complete; it may\n"
         "                   not be one of the tables that are read, nor an index\n"
         "                   file or Tempovia.ini beside them\n"
         "  --show-settings  prints the regional settings an export would use\n"
         "  --help           prints this text\n"
         "  --version        prints the version\n"
         "\n"
         "Numbers, dates and times follow the regional settings: the POSIX locale\n"
         "(LC_ALL, LC_NUMERIC, LC_TIME, LANG), or the user's locale on Windows.\n"
         "\n"
         "Exit status: 0 when the document has been written; 1 when the export\n"
         "failed, with the reason on standard error; 2 for a bad command line.\n";
}

}  // namespace zorva
