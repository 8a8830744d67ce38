#include "export/dbase/table_files.h"

#include "export/dbase/native_files.h"
#include "export/dbase/table_names.h"

namespace zorva::dbase {

TableType ResolveTableType(const std::string& folder, std::string_view tableFileName, TableType type) {
  if (type != TableType::Default) return type;
  if (!SameNameIgnoringCase(Extension(tableFileName), ".DBF")) return TableType::DBase;
  for (std::string_view companion : {".FPT", ".CDX"})
    if (FindFileIgnoringCase(folder, SiblingFileName(tableFileName, companion))) return TableType::FoxPro;
  return TableType::DBase;
}

TableFile OpenTableFile(const std::string& folder, std::string_view tableName, TableType type) {
  const std::string fileName = TableFileName(tableName);
  if (!IsFolder(folder)) RaiseEngineFailure(EngineStatus::FolderNotFound, {folder});
  const auto path = FindFileIgnoringCase(folder, fileName);
  if (!path) RaiseEngineFailure(EngineStatus::TableNotFound, {JoinPath(folder, fileName)});
  return {OpenReadOnlyShared(*path, EngineStatus::TableNotFound), ResolveTableType(folder, fileName, type)};
}

std::unique_ptr<ByteSource> OpenFileBeside(const std::string& tablePath, std::string_view extension) {
  const std::string folder(FolderOf(tablePath));
  const std::string name = SiblingFileName(tablePath, extension);
  const auto path = FindFileIgnoringCase(folder, name);
  if (!path) RaiseEngineFailure(EngineStatus::MemoNotFound, {JoinPath(folder, name)});
  return OpenReadOnlyShared(*path, EngineStatus::MemoNotFound);
}

}  // namespace zorva::dbase
