#include "export/table_component.h"

#include <optional>
#include <utility>

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

  dbase::DbaseTable& Opened() {
    if (!table) Closed();
    return *table;
  }

  // Out of line: the failure's text would make every read of a column pay
  // for its registers.
  [[noreturn, gnu::noinline]] void Closed() const { RaiseEngineFailure(EngineStatus::TableClosed, {name}); }
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

void TwwTable::Close() { state_->table.reset(); }

bool TwwTable::IsOpen() const { return state_->table.has_value(); }

std::size_t TwwTable::ColumnIndex(std::string_view fieldName) const {
  const dbase::DbaseTable& table = state_->Opened();
  const dbase::FieldInfo* field = table.FindField(fieldName);
  if (!field) {
    throw Failure(
        FailureKind::Engine,
        ComposeFailureText(FailureText::ComponentFailure,
                           {state_->name, ComposeFailureText(FailureText::FieldNotFound, {fieldName})}));
  }
  return static_cast<std::size_t>(field - table.Fields().data());
}

void TwwTable::ReadColumn(std::size_t index, ColumnValue& value) const {
  const dbase::DbaseTable& table = state_->Opened();
  table.Read(table.Fields().at(index), value);
}

}  // namespace zorva
