#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "export/dbase/table_type.h"
#include "export/document/row_source.h"
#include "textforms/column_value.h"

namespace zorva {

// A table component of the main window (wwTableASIGT and its siblings): a
// plain table over the table engine, with no index, filter or range, opened
// for reading only and shared. Every engine failure is raised as an
// EngineFailure.
class TwwTable : public RowSource {
 public:
  TwwTable(std::string componentName, std::string tableName, TableType type, std::string databaseName);
  ~TwwTable() override;
  TwwTable(const TwwTable&) = delete;
  TwwTable& operator=(const TwwTable&) = delete;

  const std::string& Name() const;

  // The folder the table lies in. Only while closed, or with the same value.
  void SetDatabaseName(std::string folder);
  const std::string& DatabaseName() const;

  void Open();  // opening an open table does nothing
  // To the first row; a table without rows is at its end at once. A table
  // that has been at its first row since it was opened is read anew from its
  // file as it is now, so a run after a failed one sees the file's changes.
  void First();
  bool AtEnd() const;
  void Next();
  void Close();  // closes and drops the field list
  bool IsOpen() const;

  std::size_t ColumnIndex(std::string_view fieldName) const override;
  void ReadColumn(std::size_t index, ColumnValue& value) const override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace zorva
