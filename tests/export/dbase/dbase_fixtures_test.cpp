// Every fixture table, written by an independent writer or built from the
// published formats (fixtures/make_engine_fixtures.py), read back field by field
// against what its .expected file says the engine must deliver.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "export/dbase/dbase_table.h"
#include "textforms/program_text.h"

namespace zorva::dbase {
namespace {

const char* const kFixtures[] = {
    "db3_memo", "db3_nomasg", "fp_memo", "vfp_types", "vfp9_varchar", "db4_memo", "db5_memo", "db7_memo",
    "cp437",    "cp850",      "cp852",   "cp857",     "cp861",        "cp865",    "cp866",    "cp737",
    "cp1250",   "cp1251",     "cp1252",  "cp1253",    "cp1254",       "cp1255",   "cp1256",
};

// As the .expected files name them, in the order of ColumnKind.
constexpr const char* kKindNames[] = {"Character", "Float",   "Money",    "Int16", "UInt16",
                                      "Int32",     "AutoInc", "Int64",    "Bcd",   "Logical",
                                      "Date",      "Time",    "DateTime", "Memo",  "Bytes"};
static_assert(std::size(kKindNames) == static_cast<std::size_t>(ColumnKind::Bytes) + 1);

const char* KindName(ColumnKind kind) { return kKindNames[static_cast<std::size_t>(kind)]; }

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    if (c == 'x') {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
    }
  }
  return out;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char digits[3];
  for (unsigned char b : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", b);
    out += digits;
  }
  return out;
}

std::string Moment(const DateTime& m, bool withTime) {
  char text[40];
  if (withTime)
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", m.year, m.month, m.day, m.hour,
                  m.minute, m.second, m.millisecond);
  else
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", m.year, m.month, m.day);
  return text;
}

// Checks a delivered value against the expected one written by the script.
void ExpectValue(const ColumnValue& value, const std::string& kind, const std::string& expected,
                 const std::string& where) {
  EXPECT_EQ(KindName(value.kind), kind) << where;
  if (expected == "null") {
    EXPECT_TRUE(value.isNull) << where;
    return;
  }
  ASSERT_FALSE(value.isNull) << where;
  switch (value.kind) {
    case ColumnKind::Character:
    case ColumnKind::Memo:
      EXPECT_EQ(value.text, ProgramTextFromUtf8(Unescape(expected))) << where;
      break;
    case ColumnKind::Bytes:
      EXPECT_EQ(Hex(value.text), expected) << where;
      break;
    case ColumnKind::Float:
    case ColumnKind::Money:
      EXPECT_EQ(value.number, std::strtod(expected.c_str(), nullptr)) << where;
      break;
    case ColumnKind::Int32:
    case ColumnKind::AutoInc:
      EXPECT_EQ(value.integer, std::stoll(expected)) << where;
      break;
    case ColumnKind::Logical:
      EXPECT_EQ(value.logical ? "true" : "false", expected) << where;
      break;
    case ColumnKind::Date:
      EXPECT_EQ(Moment(value.moment, false), expected) << where;
      break;
    case ColumnKind::DateTime:
      EXPECT_EQ(Moment(value.moment, true), expected) << where;
      break;
    default:
      ADD_FAILURE() << where << ": no fixture holds this kind";
  }
}

class FixtureTable : public ::testing::TestWithParam<const char*> {};

TEST_P(FixtureTable, DeliversWhatWasWritten) {
  const std::string name = GetParam();
  std::ifstream expected(std::string(ZORVA_FIXTURES_DIR) + "/" + name + ".expected", std::ios::binary);
  ASSERT_TRUE(expected) << name;
  // The fixtures sit in a folder of their own; the name is given without
  // its extension and in upper case, as the host names its tables.
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  DbaseTable table = DbaseTable::Open(ZORVA_FIXTURES_DIR, upper, TableType::Default);

  std::string line;
  std::getline(expected, line);
  std::string fieldNames;
  for (const FieldInfo& field : table.Fields()) fieldNames += (fieldNames.empty() ? "" : ",") + field.name;
  EXPECT_EQ("fields\t" + fieldNames, line);

  table.First();
  int row = 0;
  while (std::getline(expected, line)) {
    std::istringstream parts(line);
    std::string number, field, kind, value;
    std::getline(parts, number, '\t');
    std::getline(parts, field, '\t');
    std::getline(parts, kind, '\t');
    std::getline(parts, value);
    while (std::stoi(number) > row) {
      table.Next();
      ++row;
    }
    ASSERT_FALSE(table.AtEnd()) << name << " row " << row;
    const FieldInfo* info = table.FindField(field);
    ASSERT_NE(info, nullptr) << name << " " << field;
    ExpectValue(table.Read(*info), kind, value, name + " row " + number + " " + field);
  }
  table.Next();
  EXPECT_TRUE(table.AtEnd()) << name << ": more rows than written";
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureTable, ::testing::ValuesIn(kFixtures));

}  // namespace
}  // namespace zorva::dbase
