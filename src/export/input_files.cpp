#include "export/input_files.h"

#include <array>
#include <string_view>
#include <vector>

#include "export/dbase/memo_file.h"
#include "export/dbase/native_files.h"
#include "export/dbase/table_names.h"
#include "export/document/section_layout.h"
#include "export/same_file.h"

namespace zorva {
namespace {

constexpr std::string_view kHandshakeFile = "Tempovia.ini";
constexpr std::array<std::string_view, 3> kIndexExtensions{".MDX", ".CDX", ".NDX"};

// The existing files of the host's, wherever they are reached from.
std::vector<HostFile> HostFiles(const std::string& tables, const std::string& solution) {
  std::vector<HostFile> files;
  auto add = [&files](const std::string& folder, const std::string& name, HostFileKind kind) {
    if (auto path = dbase::FindFileIgnoringCase(folder, name)) files.push_back({std::move(*path), kind});
  };
  for (const Section& section : SectionLayout) {
    const std::string& folder = section.folder == TableFolder::Solution ? solution : tables;
    const std::string table = dbase::TableFileName(section.tableName);
    add(folder, table, HostFileKind::Table);
    for (const auto format : {dbase::MemoFormat::DBase3, dbase::MemoFormat::FoxPro})
      add(folder, dbase::SiblingFileName(table, dbase::MemoExtension(format)), HostFileKind::MemoFile);
    for (const std::string_view extension : kIndexExtensions)
      add(folder, dbase::SiblingFileName(table, extension), HostFileKind::IndexFile);
  }
  add(tables, std::string(kHandshakeFile), HostFileKind::HandshakeFile);
  return files;
}

// What a file of this name in one of the folders would be to the host, as
// Windows takes the name: without the dots and spaces it ends in.
std::optional<HostFileKind> KindByName(std::string_view path, bool inTables) {
  std::string_view name = dbase::FileNameOf(path);
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
  if (inTables && dbase::SameNameIgnoringCase(name, kHandshakeFile)) return HostFileKind::HandshakeFile;
  for (const std::string_view extension : kIndexExtensions)
    if (dbase::SameNameIgnoringCase(dbase::Extension(name), extension)) return HostFileKind::IndexFile;
  return std::nullopt;
}

}  // namespace

std::optional<HostFile> HostFileAt(const std::string& path, const std::string& tables,
                                   const std::string& solution) {
  for (HostFile& file : HostFiles(tables, solution))
    if (SameFile(path, file.path)) return std::move(file);
  const std::string_view named = dbase::FolderOf(path);
  const std::string folder = named.empty() ? std::string(".") : std::string(named);
  const bool inTables = SameFile(folder, tables);
  if (!inTables && !SameFile(folder, solution)) return std::nullopt;
  if (const auto kind = KindByName(path, inTables)) return HostFile{path, *kind};
  return std::nullopt;
}

}  // namespace zorva
