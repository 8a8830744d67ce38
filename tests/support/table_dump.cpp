// Writes every value the table engine reads from one table, for comparing
// with another reader (real_tables_test.py):
//
//   table_dump FOLDER TABLE
//
//   codepage<TAB>the code page the engine reads its text in, or "oem"
//   fields<TAB>visible field names, comma-separated, in order
//   row<TAB>field<TAB>kind<TAB>value   (rows counted from 0, deleted ones left out)
//   rows<TAB>how many rows
//
// Values as in the engine's fixtures (fixtures/make_engine_fixtures.py), numbers in
// their shortest exact form. A table the engine refuses gives its failure
// text on standard error and exit status 1.
#include <charconv>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "export/dbase/byte_source.h"
#include "export/dbase/dbase_table.h"
#include "export/dbase/dbf_header.h"

namespace {

using zorva::ColumnKind;
using zorva::ColumnValue;

constexpr const char* kKindNames[] = {"Character", "Float",   "Money",    "Int16", "UInt16",
                                      "Int32",     "AutoInc", "Int64",    "Bcd",   "Logical",
                                      "Date",      "Time",    "DateTime", "Memo",  "Bytes"};
static_assert(std::size(kKindNames) == static_cast<std::size_t>(ColumnKind::Bytes) + 1);

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char code[5];
      std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

std::string ValueText(const ColumnValue& value) {
  if (value.isNull) return "null";
  char text[64];
  switch (value.kind) {
    case ColumnKind::Character:
    case ColumnKind::Memo:
      return Escaped(value.text);
    case ColumnKind::Bytes: {
      std::string hex;
      for (const unsigned char b : value.text) {
        std::snprintf(text, sizeof text, "%02x", b);
        hex += text;
      }
      return hex;
    }
    case ColumnKind::Float:
    case ColumnKind::Money:
      return std::string(text, std::to_chars(text, text + sizeof text, value.number).ptr);
    case ColumnKind::Logical:
      return value.logical ? "true" : "false";
    case ColumnKind::Date:
      std::snprintf(text, sizeof text, "%04d-%02d-%02d", value.moment.year, value.moment.month,
                    value.moment.day);
      return text;
    case ColumnKind::Time:
    case ColumnKind::DateTime: {
      const zorva::DateTime& m = value.moment;
      std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", m.year, m.month, m.day, m.hour,
                    m.minute, m.second, m.millisecond);
      return text;
    }
    default:
      return std::to_string(value.integer);
  }
}

// The code page the engine reads the table's text in, as its header gives it.
std::optional<unsigned> CodePage(const std::string& folder, const std::string& table) {
  std::ifstream file(folder + "/" + table, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return zorva::dbase::ReadTableHeader(*zorva::dbase::MemoryBytes(std::move(bytes), table)).codePage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: table_dump FOLDER TABLE\n";
    return 2;
  }
  try {
    zorva::dbase::DbaseTable table =
        zorva::dbase::DbaseTable::Open(argv[1], argv[2], zorva::TableType::Default);
    const auto codePage = CodePage(argv[1], argv[2]);
    std::string out = "codepage\t" + (codePage ? std::to_string(*codePage) : "oem") + "\nfields\t";
    for (const zorva::dbase::FieldInfo& field : table.Fields())
      out += (&field == &table.Fields().front() ? "" : ",") + field.name;
    out += '\n';
    int row = 0;
    for (table.First(); !table.AtEnd(); table.Next(), ++row)
      for (const zorva::dbase::FieldInfo& field : table.Fields()) {
        const ColumnValue value = table.Read(field);
        out += std::to_string(row) + '\t' + field.name + '\t' + kKindNames[static_cast<int>(value.kind)] +
               '\t' + ValueText(value) + '\n';
      }
    std::cout << out << "rows\t" << row << '\n';
    return 0;
  } catch (const std::exception& failure) {
    std::cerr << failure.what() << '\n';
    return 1;
  }
}
