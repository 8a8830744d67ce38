#pragma once

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "export/document/row_source.h"
#include "textforms/failure.h"
#include "textforms/failure_texts.h"

namespace zorva::test_support {

// Names are literals: a column's name outlives it.
inline ColumnValue NullColumn(std::string_view name, ColumnKind kind) {
  ColumnValue value;
  value.fieldName = name;
  value.kind = kind;
  return value;
}

inline ColumnValue TextColumn(std::string_view name, std::string text) {
  ColumnValue value = NullColumn(name, ColumnKind::Character);
  value.isNull = false;
  value.text = std::move(text);
  return value;
}

inline ColumnValue FloatColumn(std::string_view name, double number) {
  ColumnValue value = NullColumn(name, ColumnKind::Float);
  value.isNull = false;
  value.number = number;
  return value;
}

// A table row in memory, found by name as the engine finds it.
class FakeRow : public RowSource {
 public:
  FakeRow(std::string component, std::vector<ColumnValue> columns)
      : component_(std::move(component)), columns_(std::move(columns)) {}

  std::size_t ColumnIndex(std::string_view fieldName) const override {
    for (std::size_t i = 0; i < columns_.size(); ++i)
      if (SameName(columns_[i].fieldName, fieldName)) return i;
    throw Failure(
        FailureKind::Engine,
        ComposeFailureText(FailureText::ComponentFailure,
                           {component_, ComposeFailureText(FailureText::FieldNotFound, {fieldName})}));
  }

  void ReadColumn(std::size_t index, ColumnValue& value) const override { value = columns_.at(index); }

 private:
  static bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
        return false;
    return true;
  }

  std::string component_;
  std::vector<ColumnValue> columns_;
};

// A row with every column a section reads, each a text of its own name in
// lower case, unless given otherwise.
inline FakeRow RowFor(std::string_view component, std::vector<std::string_view> columns,
                      std::vector<ColumnValue> overrides = {}) {
  std::vector<ColumnValue> values = std::move(overrides);
  for (std::string_view column : columns) {
    std::string text(column);
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    values.push_back(TextColumn(column, text));
  }
  return FakeRow(std::string(component), std::move(values));
}

}  // namespace zorva::test_support
