#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "export/dbase/byte_source.h"
#include "textforms/column_value.h"

namespace zorva::dbase {

// The kinds of table file, as far as reading them differs.
enum class TableFamily {
  Plain,         // dBase III, IV or 5 or FoxPro without a memo file: the header cannot tell
  DBase3,        // dBase III with a dBase III memo file
  DBase4,        // dBase IV and 5 (and dBase IV SQL tables)
  DBase7,        // level 7: 48-byte field descriptors, big-endian binary numbers
  FoxPro,        // FoxBASE and FoxPro 2.x with a memo file
  VisualFoxPro,  // field flags, hidden _NullFlags, varchar and autoincrement
};

// How a field keeps its value in the record.
enum class FieldStorage {
  Text,            // C: blank-padded text
  VarText,         // V, Q: text whose length may be in its last byte
  Number,          // N, F: a number in ASCII digits
  Date,            // D: YYYYMMDD
  Logical,         // L: T, Y, F, N, or blank
  MemoBlock,       // M, G, P, W, dBase B: a block number of the memo file
  Int32,           // I: little-endian
  Int32Ordered,    // level 7 I and +: big-endian with the sign bit flipped
  Double,          // Visual FoxPro B: little-endian
  DoubleOrdered,   // level 7 O: big-endian, sign flipped, negatives inverted
  Currency,        // Y: little-endian count of ten-thousandths
  JulianDateTime,  // T: Julian day and milliseconds, little-endian
  Timestamp,       // level 7 @: big-endian milliseconds since the year 1
};

struct FieldInfo {
  std::string name;  // as the table spells it, in program text
  char type = 'C';   // the header's type letter
  ColumnKind kind = ColumnKind::Character;
  FieldStorage storage = FieldStorage::Text;
  std::uint32_t offset = 0;  // from the start of the record, past the deletion flag
  std::uint16_t width = 0;
  int nullBit = -1;    // its bit in _NullFlags, or -1
  int lengthBit = -1;  // varchar: the bit saying its last byte holds the length, or -1

  bool operator==(const FieldInfo&) const = default;
};

struct TableHeader {
  std::uint8_t version = 0;
  TableFamily family = TableFamily::Plain;
  std::uint32_t recordCount = 0;
  std::uint16_t headerLength = 0;
  std::uint16_t recordLength = 0;
  std::optional<unsigned> codePage;  // none: the OEM code page
  std::vector<FieldInfo> fields;     // the visible fields, in order
  std::optional<FieldInfo> nullFlags;
};

// Reads and checks the header: every length is checked against the file
// before it is used. A damaged header raises an EngineFailure naming the file.
TableHeader ReadTableHeader(const ByteSource& file);

}  // namespace zorva::dbase
