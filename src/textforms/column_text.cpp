#include "textforms/column_text.h"

#include <charconv>
#include <string>

#include "textforms/program_text.h"

namespace zorva {

std::string ColumnText(const ColumnValue& value, const RegionalFormats& formats) {
  std::string room;
  return std::string(ColumnText(value, formats, room));
}

namespace {

// The kinds whose text is made anew, kept out of line: their temporaries
// would otherwise make every value pay for their registers.
[[gnu::noinline]] std::string_view MadeColumnText(const ColumnValue& value, const RegionalFormats& formats,
                                                  std::string& room) {
  switch (value.kind) {
    // Stored bytes are taken as text in the user's ANSI code page.
    case ColumnKind::Bytes:
      return room = ProgramTextFromAnsi(value.text);
    case ColumnKind::Bcd:
      return room = FixedPointText(value.integer, formats.DecimalMark);
    case ColumnKind::Logical:
      return room = ProgramTextFromUtf8(value.logical ? "Verdadero" : "Falso");
    case ColumnKind::Date:
      return room = PictureText(formats.ShortDatePicture, value.moment, formats);
    case ColumnKind::Time:
      return room = PictureText(formats.LongTimePicture, value.moment, formats);
    case ColumnKind::DateTime:
      return room = PictureText("C", value.moment, formats);
    default:
      return {};  // the kinds ColumnText writes itself
  }
}

}  // namespace

std::string_view ColumnText(const ColumnValue& value, const RegionalFormats& formats, std::string& room) {
  if (value.isNull) return {};
  switch (value.kind) {
    case ColumnKind::Character:
    case ColumnKind::Memo:
      return value.text;
    case ColumnKind::Float:
    case ColumnKind::Money:
      return GeneralNumberText(value.number, formats.DecimalMark, room);
    case ColumnKind::Int16:
    case ColumnKind::UInt16:
    case ColumnKind::Int32:
    case ColumnKind::AutoInc:
    case ColumnKind::Int64:
      return WholeNumberText(value.integer, room);
    case ColumnKind::Bytes:
    case ColumnKind::Bcd:
    case ColumnKind::Logical:
    case ColumnKind::Date:
    case ColumnKind::Time:
    case ColumnKind::DateTime:
      return MadeColumnText(value, formats, room);
  }
  return {};
}

std::string_view WholeNumberText(std::int64_t value, std::string& room) {
  // Written over what the room holds, at its size: no string operation.
  constexpr std::size_t kDigits = 20;  // 19 digits and a sign
  if (room.size() < kDigits) room.resize(kDigits);
  char* const text = room.data();
  return {text, static_cast<std::size_t>(std::to_chars(text, text + kDigits, value).ptr - text)};
}

}  // namespace zorva
