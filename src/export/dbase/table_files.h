#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "export/dbase/byte_source.h"
#include "export/dbase/table_type.h"

// Finding a table's files in its folder and opening them, read-only and shared.
namespace zorva::dbase {

struct TableFile {
  std::unique_ptr<ByteSource> bytes;
  TableType type;  // never Default: resolved from the files beside the table
};

// The table `tableName` (".DBF" when it has no extension) in `folder`, its
// letter case ignored. A missing folder or file raises FolderNotFound or
// TableNotFound, naming the path.
TableFile OpenTableFile(const std::string& folder, std::string_view tableName, TableType type);

// The type of a table whose TableType is not set: a ".DBF" file with a ".FPT"
// or ".CDX" file of the same name beside it is FoxPro, anything else dBase.
TableType ResolveTableType(const std::string& folder, std::string_view tableFileName, TableType type);

// The memo file with the given extension beside the table's file, its letter
// case ignored; MemoNotFound when there is none.
std::unique_ptr<ByteSource> OpenFileBeside(const std::string& tablePath, std::string_view extension);

}  // namespace zorva::dbase
