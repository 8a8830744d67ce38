#include "export/input_files.h"

#include <vector>

#include "export/dbase/memo_file.h"
#include "export/dbase/native_files.h"
#include "export/dbase/table_names.h"
#include "export/document/section_layout.h"
#include "export/same_file.h"

namespace zorva {
namespace {

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

}  // namespace

std::optional<std::string> InputFileAt(const std::string& path, const std::string& tables,
                                       const std::string& solution) {
  for (std::string& input : InputFiles(tables, solution))
    if (SameFile(path, input)) return std::move(input);
  return std::nullopt;
}

}  // namespace zorva
