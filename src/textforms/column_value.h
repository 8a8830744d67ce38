#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zorva {

// The kinds of column a table reports when it is opened.
enum class ColumnKind {
  Character,  // text, already converted to program text by the table reader
  Float,      // 64-bit IEEE number
  Money,      // as Float, marked as money
  Int16,
  UInt16,
  Int32,
  AutoInc,  // a 32-bit number the table assigns itself
  Int64,
  Bcd,  // fixed point: a signed count of ten-thousandths
  Logical,
  Date,
  Time,
  DateTime,
  Memo,   // stored text, already converted like Character
  Bytes,  // stored bytes, unchanged
};

// A calendar date and a time of day. A Time column has a zero date part.
struct DateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// One column of the current row, as the table reader delivers it.
struct ColumnValue {
  std::string_view fieldName;  // as the table spells it, while its table is open; named in failures
  ColumnKind kind = ColumnKind::Character;
  bool isNull = true;

  std::string text;          // Character, Memo (program text); Bytes (raw)
  double number = 0;         // Float, Money
  std::int64_t integer = 0;  // Int16, UInt16, Int32, AutoInc, Int64; Bcd in ten-thousandths
  bool logical = false;      // Logical
  DateTime moment;           // Date, Time, DateTime
};

}  // namespace zorva
