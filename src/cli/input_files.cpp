#include "cli/input_files.h"

#include "cli/same_file.h"
#include "export/dbase/memo_file.h"
#include "export/dbase/native_files.h"
#include "export/dbase/table_names.h"
#include "export/document/section_layout.h"

namespace zorva {

std::vector<std::string> InputFiles(const std::string& tables, const std::string& solution) {
  std::vector<std::string> files;
  auto add = [&files](const std::string& folder, const std::string& name) {
    if (auto path = dbase::FindFileIgnoringCase(folder, name)) files.push_back(std::move(*path));
  };
  for (const Section& section : SectionLayout) {
    const std::string& folder = section.folder == TableFolder::Solution ? solution : tables;
    const std::string table = dbase::TableFileName(section.tableName);
    add(folder, table);
    for (const auto format : {dbase::MemoFormat::DBase3, dbase::MemoFormat::FoxPro})
      add(folder, dbase::SiblingFileName(table, dbase::MemoExtension(format)));
  }
  return files;
}

CommandLine RefuseInputAsOutput(CommandLine command) {
  if (command.action != CommandLine::Action::Export) return command;
  for (const std::string& input : InputFiles(command.tables, command.solution)) {
    if (!SameFile(command.output, input)) continue;
    command.action = CommandLine::Action::UsageError;
    command.error = "--output names the input file '" + input + "'";
    break;
  }
  return command;
}

}  // namespace zorva
