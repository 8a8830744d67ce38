#pragma once

#include <cstddef>
#include <string_view>

#include "textforms/column_value.h"

namespace zorva {

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

}  // namespace zorva
