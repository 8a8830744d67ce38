// Reading tables: every layout the formats allow, rows, values and code pages.
#include "export/dbase/dbase_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <utility>

#include "export/dbase/memo_file.h"
#include "support/table_bytes.h"
#include "textforms/program_text.h"

namespace zorva::dbase {
namespace {

using namespace test_support;

// Each row's fields, in the table's field order, as "text,text;" (numbers
// as their digits).
std::string RowsOf(std::string bytes) {
  DbaseTable table = TableOver(std::move(bytes));
  std::string rows;
  for (table.First(); !table.AtEnd(); table.Next()) {
    for (const FieldInfo& field : table.Fields()) {
      const ColumnValue value = table.Read(field);
      rows += field.kind == ColumnKind::Float ? std::to_string(value.number) : value.text;
      rows += ',';
    }
    rows.back() = ';';
  }
  return rows;
}

struct Layout {
  const char* what;
  std::function<std::string()> bytes;
  std::string rows;
};

TEST(DbaseTable, ReadsEveryLayoutThatTheFormatAllows) {
  const std::string wide(299, 'w');
  const Layout cases[] = {
      {"end-of-file mark", Simple, "abcd;efgh;"},
      {"no end-of-file mark", [] { return Simple().substr(0, 75); }, "abcd;efgh;"},
      {"bytes after the end-of-file mark", [] { return Simple() + std::string(20, '\x1A') + "resto"; },
       "abcd;efgh;"},
      {"field list ended by a line feed", LineFeedEnded, "abcd;efgh;"},
      {"field list ended by a line feed, no end-of-file mark", [] { return LineFeedEnded().substr(0, 75); },
       "abcd;efgh;"},
      {"header padded after the terminator",
       [] {
         std::string bytes = Patched(8, 66, 2);
         return bytes.insert(65, 1, '\0');
       },
       "abcd;efgh;"},
      {"character field wider than 255",
       [&] {
         return TableBytes(0x03, {{"A", 'C', 300}, {"B", 'C', 2}}, {" " + wide + "x" + "bb"});
       },
       wide + "x,bb;"},
      {"character field with a stray byte where wider ones keep their width's high byte",
       [] { return Patched(32 + 17, 7, 1); }, "abcd;efgh;"},
      {"Visual FoxPro fields listed out of their order in the record",
       [] { return Swapped(TwoFields(0x30), 32, 64, 32); }, "bbb,aa;"},
      {"Visual FoxPro double with more decimals than bytes",
       [] {
         return TableBytes(0x30, {{"D", 'B', 8, 0, 10}}, {std::string(" \0\0\0\0\0\0\xF8\x3F", 9)});
       },
       "1.500000;"},
  };
  for (const Layout& c : cases) {
    std::string rows;
    EXPECT_EQ(StatusOf([&] { rows = RowsOf(c.bytes()); }), 0) << c.what;
    EXPECT_EQ(rows, c.rows) << c.what;
  }
}

TEST(DbaseTable, SkipsDeletedRowsAndEndsAtOnceWhenEmpty) {
  DbaseTable table = TableOver(TableBytes(0x03, {{"N", 'C', 1}}, {"*a", " b", "*c", "*d", " e", "*f"}));
  std::string seen;
  for (table.First(); !table.AtEnd(); table.Next()) seen += table.Read(table.Fields()[0]).text;
  EXPECT_EQ(seen, "be");

  DbaseTable allDeleted = TableOver(TableBytes(0x03, {{"N", 'C', 1}}, {"*a", "*b"}));
  allDeleted.First();
  EXPECT_TRUE(allDeleted.AtEnd());
  DbaseTable empty = TableOver(TableBytes(0x03, {{"N", 'C', 1}}, {}));
  empty.First();
  EXPECT_TRUE(empty.AtEnd());
  EXPECT_TRUE(empty.Read(empty.Fields()[0]).isNull);
}

TEST(DbaseTable, ReadsEveryRowInFileOrderThroughABoundedBuffer) {
  std::vector<std::string> records;
  for (int i = 0; i < 20000; ++i) records.push_back(std::string(" ").append(std::to_string(100000 + i)));
  const std::string bytes = TableBytes(0x03, {{"N", 'N', 6}}, records);
  auto file = std::make_unique<TestFile>(bytes, bytes.size());
  const auto largest = file->largest;
  DbaseTable table(std::move(file), TableType::DBase, nullptr);
  double expected = 100000;
  int rows = 0;
  for (table.First(); !table.AtEnd(); table.Next(), ++rows)
    ASSERT_EQ(table.Read(table.Fields()[0]).number, expected++);
  EXPECT_EQ(rows, 20000);
  EXPECT_LE(*largest, 64u * 1024u);
}

TEST(DbaseTable, TableWithoutFieldsHasRowsAndNoFields) {
  DbaseTable table = TableOver(TableBytes(0x03, {}, {" ", "*", " "}));
  EXPECT_TRUE(table.Fields().empty());
  int rows = 0;
  for (table.First(); !table.AtEnd(); table.Next()) ++rows;
  EXPECT_EQ(rows, 2);
}

TEST(DbaseTable, FindsFieldsIgnoringCaseFirstMatchFirst) {
  DbaseTable table = TableOver(TableBytes(0x03, {{"Nombre", 'C', 1}, {"NOMBRE", 'C', 1}}, {" ab"}));
  table.First();
  ASSERT_NE(table.FindField("NOMBRE"), nullptr);
  EXPECT_EQ(table.Read(*table.FindField("nombre")).text, "a");
  EXPECT_EQ(table.FindField("NOMBRES"), nullptr);
}

TEST(DbaseTable, CharacterValuesLoseTrailingBlanksAndEndAtNul) {
  DbaseTable table =
      TableOver(TableBytes(0x03, {{"A", 'C', 6}, {"B", 'C', 6}}, {std::string("   x y x\0zz  ", 13)}));
  table.First();
  EXPECT_EQ(table.Read(table.Fields()[0]).text, "  x y");
  EXPECT_EQ(table.Read(table.Fields()[1]).text, "x");
}

TEST(DbaseTable, BlankAndOverflowedValuesAreNull) {
  DbaseTable table = TableOver(TableBytes(
      0x03, {{"N", 'N', 4}, {"S", 'N', 4}, {"D", 'D', 8}, {"Z", 'D', 8}, {"L", 'L', 1}, {"Q", 'L', 1}},
      {"     ****        00000000 ?"}));
  table.First();
  for (const FieldInfo& field : table.Fields()) EXPECT_TRUE(table.Read(field).isNull) << field.name;
}

TEST(DbaseTable, NumbersReadWithSignsDecimalsAndExponents) {
  // Whole numbers of up to 15 digits take a shorter way than the others.
  const std::pair<const char*, double> cases[] = {
      {"   -12.50", -12.5},
      {"     +3.0", 3.0},
      {"     -.25", -0.25},
      {"  1.5E+03", 1500.0},
      {"        0", 0.0},
      {"      +42", 42.0},
      {"       -7", -7.0},
      {"999999999999999", 999999999999999.0},
      {"-123456789012345", -123456789012345.0},
      {"1234567890123456789", 1234567890123456789.0},
  };
  for (const auto& [stored, number] : cases) {
    const std::string padded = std::string(20 - std::strlen(stored), ' ') + stored;
    DbaseTable table = TableOver(TableBytes(0x03, {{"F", 'F', 20}}, {" " + padded}));
    table.First();
    EXPECT_EQ(table.Read(table.Fields()[0]).number, number) << stored;
  }
  DbaseTable negativeZero = TableOver(TableBytes(0x03, {{"N", 'N', 2}}, {" -0"}));
  negativeZero.First();
  EXPECT_TRUE(std::signbit(negativeZero.Read(negativeZero.Fields()[0]).number));
}

TEST(DbaseTable, TextWithoutLanguageDriverComesFromTheOemCodePage) {
  DbaseTable table = TableOver(TableBytes(0x03, {{"A", 'C', 3}}, {" A\xA4o"}, 0x00));
  table.First();
  EXPECT_EQ(table.Read(table.Fields()[0]).text, ProgramTextFromOem("A\xA4o"));
  DbaseTable marked = TableOver(TableBytes(0x03, {{"A", 'C', 3}}, {" A\xA4o"}, 0x02));
  marked.First();
  EXPECT_EQ(marked.Read(marked.Fields()[0]).text, ProgramTextFromCodePage("A\xA4o", 850));
}

TEST(DbaseTable, Level7TextComesFromTheDriverNameOrElseTheDriverByte) {
  // The driver byte names 850 in every table: the name, where known, decides.
  const std::pair<const char*, unsigned> cases[] = {
      {"DBWINWE0", 1252}, {"DBWINUS0", 1252}, {"DB437US0", 437}, {"DB850DE0", 850}, {"DB860PT0", 860},
      {"DB863CF1", 863},  {"DB865NO0", 865},  {"", 850},         {"DBXXXX00", 850},
  };
  for (const auto& [name, codePage] : cases) {
    DbaseTable table = TableOver(TableBytes(0x04, {{"A", 'C', 3}}, {" A\xE9o"}, 0x02, name));
    table.First();
    EXPECT_EQ(table.Read(table.Fields()[0]).text, ProgramTextFromCodePage("A\xE9o", codePage)) << name;
  }
}

TEST(DbaseTable, HiddenSystemFieldsAreNotVisible) {
  DbaseTable table = TableOver(TableBytes(
      0x30, {{"A", 'C', 1, 0x02}, {"SYS", 'C', 1, 0x01}, {"_NullFlags", '0', 1, 0x05}}, {" ab\x01"}));
  ASSERT_EQ(table.Fields().size(), 1u);
  table.First();
  EXPECT_TRUE(table.Read(table.Fields()[0]).isNull);
  EXPECT_EQ(table.FindField("_NullFlags"), nullptr);
}

TEST(DbaseTable, TableTypeChoosesTheMemoFileOnlyWhenTheHeaderCannot) {
  const std::string pointer("\x01\0\0\0", 4);
  const std::string fpt = MemoBytes(true, 512, std::string("\0\0\0\1\0\0\0\2fp", 10));
  // Version 03h names no memo format: the table's type decides.
  DbaseTable plain = TableOver(TableBytes(0x03, {{"M", 'M', 4}}, {" " + pointer}), fpt, TableType::FoxPro);
  plain.First();
  EXPECT_EQ(plain.Read(plain.Fields()[0]).text, "fp");
  // Version 30h is Visual FoxPro whatever the component says.
  DbaseTable vfp = TableOver(TableBytes(0x30, {{"M", 'M', 4}}, {" " + pointer}), fpt, TableType::DBase);
  vfp.First();
  EXPECT_EQ(vfp.Read(vfp.Fields()[0]).text, "fp");
}

}  // namespace
}  // namespace zorva::dbase
