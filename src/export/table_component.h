#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "textforms/column_value.h"

namespace zorva {

// How a table component names the kind of its table.
enum class TableType {
  Default,  // taken from the file: ".DBF" with a ".FPT" or ".CDX" beside it is FoxPro
  DBase,
  FoxPro,
};

// What a row of a table yields: its columns, found by name, letter case
// ignored, the first match in the table's field order.
class RowSource {
 public:
  virtual ~RowSource() = default;

  // Where the column of that name lies, for reading it on every row; valid
  // while the table stays open and keeps its layout (a table that goes to
  // its first row again may take a new one from its file). A name that
  // matches no column is a Failure naming the component and the field.
  virtual std::size_t ColumnIndex(std::string_view fieldName) const = 0;

  // The column at that place in the current row, into `value`, whose room a
  // caller that reads many rows reuses.
  virtual void ReadColumn(std::size_t index, ColumnValue& value) const = 0;

  // A column of the current row by its name.
  ColumnValue Column(std::string_view fieldName) const;
};

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
