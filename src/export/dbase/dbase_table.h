#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "export/dbase/byte_source.h"
#include "export/dbase/dbf_header.h"
#include "export/dbase/table_type.h"
#include "textforms/column_value.h"

namespace zorva::dbase {

// A dBase or FoxPro table, read front to back through a bounded buffer: rows
// in file order with the deleted ones left out, fields found by name. Every
// fault of the files is an EngineFailure that names them.
class DbaseTable {
 public:
  // Gives the memo file with the given extension when a memo is first read.
  using MemoOpener = std::function<std::unique_ptr<ByteSource>(std::string_view extension)>;

  // The table `tableName` (".DBF" when it has no extension) in `folder`,
  // found without regard to letter case and opened read-only and shared.
  static DbaseTable Open(const std::string& folder, std::string_view tableName, TableType type);

  // A table over a file at hand (bytes in memory for tests and the fuzzer);
  // starting over reads its header again from the same file.
  DbaseTable(std::unique_ptr<ByteSource> file, TableType type, MemoOpener openMemo);

  DbaseTable(DbaseTable&&) noexcept;
  DbaseTable& operator=(DbaseTable&&) noexcept;
  ~DbaseTable();

  // The fields, which stay the same objects while the table is open, also
  // across First as long as the file keeps its layout; a new layout replaces
  // them.
  const std::vector<FieldInfo>& Fields() const;

  // The first field of that name, letter case ignored, or null.
  const FieldInfo* FindField(std::string_view name) const;

  // To the first row; a table without rows is at its end at once. Called
  // again, it first reads the file anew as it is then (its header and size,
  // then its records and memos), so a file that is gone or damaged now
  // fails here, and the table then has no row.
  void First();
  bool AtEnd() const;
  void Next();

  // The field of the current row; null at the end of the table.
  ColumnValue Read(const FieldInfo& field) const;

  // The same into `value`, whose text keeps its room from field to field.
  void Read(const FieldInfo& field, ColumnValue& value) const;

 private:
  struct State;
  explicit DbaseTable(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace zorva::dbase
