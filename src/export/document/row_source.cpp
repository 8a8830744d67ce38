#include "export/document/row_source.h"

namespace zorva {

ColumnValue RowSource::Column(std::string_view fieldName) const {
  ColumnValue value;
  ReadColumn(ColumnIndex(fieldName), value);
  return value;
}

}  // namespace zorva
