#include "export/table_component.h"

#include <optional>
#include <utility>
#include <vector>

#include "export/dbase/dbase_table.h"
#include "export/dbase/engine_failure.h"
#include "textforms/failure_texts.h"

namespace zorva {

// Every table is opened for reading only, Asig.DBF too: the program never
// writes a table, and a read-only open works on read-only media and beside a
// host that holds the file open.
struct TwwTable::State {
  State(std::string component, std::string table, TableType tableType, std::string folder)
      : name(std::move(component)),
        tableName(std::move(table)),
        type(tableType),
        databaseName(std::move(folder)) {}

  std::string name;
  std::string tableName;
  TableType type;
  std::string databaseName;
  std::optional<dbase::DbaseTable> table;

  // The fields found so far in the open table, by the name they were asked
  // for, in the order they were first asked for.
  struct FoundField {
    std::string name;
    const dbase::FieldInfo* field;
  };
  std::vector<FoundField> found;
  std::size_t nextFound = 0;

  dbase::DbaseTable& Opened() {
    if (!table) RaiseEngineFailure(EngineStatus::TableClosed, {name});
    return *table;
  }

  // Finding a field by its name without regard to case costs more than
  // reading it, and the export asks for the same fields in the same order on
  // every row: the entry after the last one found is nearly always the one
  // asked for next.
  const dbase::FieldInfo* Field(std::string_view fieldName) {
    const dbase::DbaseTable& opened = Opened();
    if (nextFound < found.size() && found[nextFound].name == fieldName) return found[nextFound++].field;
    for (std::size_t i = 0; i < found.size(); ++i) {
      if (found[i].name == fieldName) {
        nextFound = i + 1;
        return found[i].field;
      }
    }
    const dbase::FieldInfo* field = opened.FindField(fieldName);
    if (field) found.push_back({std::string(fieldName), field});
    return field;
  }

  void Drop() {
    table.reset();
    found.clear();
    nextFound = 0;
  }
};

TwwTable::TwwTable(std::string componentName, std::string tableName, TableType type, std::string databaseName)
    : state_(std::make_unique<State>(std::move(componentName), std::move(tableName), type,
                                     std::move(databaseName))) {}

TwwTable::~TwwTable() = default;

const std::string& TwwTable::Name() const { return state_->name; }

void TwwTable::SetDatabaseName(std::string folder) {
  if (state_->table && folder != state_->databaseName)
    RaiseEngineFailure(EngineStatus::FolderOfOpenTable, {state_->name});
  state_->databaseName = std::move(folder);
}

const std::string& TwwTable::DatabaseName() const { return state_->databaseName; }

void TwwTable::Open() {
  if (state_->table) return;
  state_->table = dbase::DbaseTable::Open(state_->databaseName, state_->tableName, state_->type);
}

void TwwTable::First() { state_->Opened().First(); }

bool TwwTable::AtEnd() const { return !state_->table || state_->table->AtEnd(); }

void TwwTable::Next() { state_->Opened().Next(); }

void TwwTable::Close() { state_->Drop(); }

bool TwwTable::IsOpen() const { return state_->table.has_value(); }

ColumnValue TwwTable::Column(std::string_view fieldName) const {
  const dbase::FieldInfo* field = state_->Field(fieldName);
  if (!field) {
    throw Failure(
        FailureKind::Engine,
        ComposeFailureText(FailureText::ComponentFailure,
                           {state_->name, ComposeFailureText(FailureText::FieldNotFound, {fieldName})}));
  }
  return state_->Opened().Read(*field);
}

}  // namespace zorva
