#include "textforms/column_text.h"

#include <string>

#include "textforms/program_text.h"

namespace zorva {

std::string ColumnText(const ColumnValue& value, const RegionalFormats& formats) {
  if (value.isNull) return {};
  switch (value.kind) {
    case ColumnKind::Character:
    case ColumnKind::Memo: return value.text;
    // Stored bytes are taken as text in the user's ANSI code page.
    case ColumnKind::Bytes: return ProgramTextFromAnsi(value.text);
    case ColumnKind::Float:
    case ColumnKind::Money: return GeneralNumberText(value.number, formats.DecimalMark);
    case ColumnKind::Int16:
    case ColumnKind::UInt16:
    case ColumnKind::Int32:
    case ColumnKind::AutoInc:
    case ColumnKind::Int64: return std::to_string(value.integer);
    case ColumnKind::Bcd: return FixedPointText(value.integer, formats.DecimalMark);
    case ColumnKind::Logical: return ProgramTextFromUtf8(value.logical ? "Verdadero" : "Falso");
    case ColumnKind::Date: return PictureText(formats.ShortDatePicture, value.moment, formats);
    case ColumnKind::Time: return PictureText(formats.LongTimePicture, value.moment, formats);
    case ColumnKind::DateTime: return PictureText("C", value.moment, formats);
  }
  return {};
}

void ColumnText(const ColumnValue& value, const RegionalFormats& formats, std::string& text) {
  // A column's own text goes straight into the room the caller has.
  const bool ownText = value.kind == ColumnKind::Character || value.kind == ColumnKind::Memo;
  if (ownText && !value.isNull)
    text.assign(value.text);
  else
    text = ColumnText(value, formats);
}

}  // namespace zorva
