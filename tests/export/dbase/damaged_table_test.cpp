// Tables whose headers or records are damaged: each gives its engine failure.
#include "export/dbase/dbase_table.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/table_bytes.h"
#include "textforms/failure_texts.h"

namespace zorva::dbase {
namespace {

using namespace test_support;

struct Damage {
  const char* what;
  std::function<std::string()> bytes;
  EngineStatus status;
};

TEST(DamagedTable, GivesItsEngineFailure) {
  const Damage cases[] = {
      {"empty file", [] { return std::string(); }, EngineStatus::HeaderTruncated},
      {"cut inside the fixed header", [] { return Simple().substr(0, 31); }, EngineStatus::HeaderTruncated},
      {"unknown version", [] { return Patched(0, 0x42, 1); }, EngineStatus::NotATable},
      {"header longer than the file", [] { return Patched(8, 0xFFFF, 2); }, EngineStatus::HeaderLength},
      {"header shorter than a descriptor list can be", [] { return Patched(8, 32, 2); },
       EngineStatus::HeaderLength},
      {"record count beyond the end of the file", [] { return Patched(4, 3, 4); },
       EngineStatus::RecordsMissing},
      {"absurd record count", [] { return Patched(4, 0xFFFFFFFF, 4); }, EngineStatus::RecordsMissing},
      {"record length zero", [] { return Patched(10, 0, 2); }, EngineStatus::RecordLength},
      {"fields wider than the record",
       [] {
         return Patched(10, 0x10, 2, TableBytes(0x03, {{"A", 'C', 200}, {"B", 'C', 200}}, {}));
       },
       EngineStatus::RecordLength},
      {"descriptor cut off by the end of the header", [] { return Patched(8, 70, 2, Patched(64, 'X', 1)); },
       EngineStatus::FieldListDamaged},
      {"no fields, yet records longer than their deletion flag",
       [] { return Patched(10, 2, 2, TableBytes(0x03, {}, {})); }, EngineStatus::RecordLength},
      {"more descriptors than the header length holds",
       [] {
         return TableBytes(0x03, std::vector<TestField>(2100, TestField{"F", 'C', 1}), {});
       },
       EngineStatus::FieldListDamaged},
      {"character field of width zero",
       [] {
         return TableBytes(0x03, {{"A", 'C', 0}}, {});
       },
       EngineStatus::FieldWidth},
      {"date field of width 7",
       [] {
         return TableBytes(0x03, {{"A", 'D', 7}}, {});
       },
       EngineStatus::FieldWidth},
      {"memo field of width 6",
       [] {
         return TableBytes(0x83, {{"A", 'M', 6}}, {});
       },
       EngineStatus::FieldWidth},
      {"unknown field type",
       [] {
         return TableBytes(0x03, {{"A", 'X', 3}}, {});
       },
       EngineStatus::FieldTypeUnknown},
      {"level 7 table shorter than its header", [] { return Patched(0, 0x04, 1).substr(0, 60); },
       EngineStatus::HeaderTruncated},
      {"nullable field without _NullFlags",
       [] {
         return TableBytes(0x30, {{"A", 'C', 3, 0x02}}, {});
       },
       EngineStatus::FieldListDamaged},
      {"more null bits than _NullFlags holds",
       [] {
         std::vector<TestField> fields(9, TestField{"A", 'L', 1, 0x02});
         fields.push_back({"_NullFlags", '0', 1, 0x05});
         return TableBytes(0x30, fields, {});
       },
       EngineStatus::FieldListDamaged},
      {"unreadable number",
       [] {
         return TableBytes(0x03, {{"N", 'N', 4}}, {" 12x4"});
       },
       EngineStatus::ValueDamaged},
      {"impossible date",
       [] {
         return TableBytes(0x03, {{"D", 'D', 8}}, {" 20230229"});
       },
       EngineStatus::ValueDamaged},
      {"date with letters",
       [] {
         return TableBytes(0x03, {{"D", 'D', 8}}, {" 2023-1-1"});
       },
       EngineStatus::ValueDamaged},
      {"unknown logical",
       [] {
         return TableBytes(0x03, {{"L", 'L', 1}}, {" X"});
       },
       EngineStatus::ValueDamaged},
      {"memo block number with letters",
       [] {
         return TableBytes(0x83, {{"M", 'M', 10}}, {"       12a"});
       },
       EngineStatus::ValueDamaged},
      {"date-time before the year 1",
       [] {
         return TableBytes(0x30, {{"T", 'T', 8}}, {std::string(" \x01\x00\x00\x00\x00\x00\x00\x00", 9)});
       },
       EngineStatus::ValueDamaged},
      {"varchar length beyond its field",
       [] {
         return TableBytes(0x32, {{"V", 'V', 3}, {"_NullFlags", '0', 1, 0x05}},
                           {std::string(" ab\x09\x01", 5)});
       },
       EngineStatus::ValueDamaged},
      {"record count below the records held", [] { return Patched(4, 0, 4); },
       EngineStatus::RecordsUncounted},
      {"record count below the records held, no end-of-file mark",
       [] { return Patched(4, 1, 4, Simple().substr(0, 75)); }, EngineStatus::RecordsUncounted},
      {"header length that cuts off the terminator", [] { return Patched(8, 64, 2); },
       EngineStatus::HeaderLength},
      {"header length past the terminator, records ending at the mark", [] { return Patched(8, 66, 2); },
       EngineStatus::HeaderLength},
      {"Visual FoxPro header length that cuts off the backlink",
       [] { return Patched(8, 32 + 64 + 1 + 262, 2, TwoFields(0x30)); }, EngineStatus::HeaderLength},
      {"narrowed field", [] { return Patched(48, 1, 1, TwoFields(0x03)); }, EngineStatus::RecordLength},
      {"Visual FoxPro fields that overlap", [] { return Patched(76, 2, 4, TwoFields(0x30)); },
       EngineStatus::RecordLength},
      {"more decimals than digits",
       [] {
         return TableBytes(0x03, {{"N", 'N', 4, 0, 5}}, {"  1.5"});
       },
       EngineStatus::FieldDecimals},
      {"part of a record after the last one", [] { return Simple().substr(0, 75) + " ab"; },
       EngineStatus::RecordIncomplete},
      {"line feed after the terminator, which the header length leaves out",
       [] { return Simple().insert(65, 1, '\n'); }, EngineStatus::HeaderLength},
      {"list ended by a line feed that is not the header's last byte",
       [] { return Patched(8, 66, 2, LineFeedEnded()).insert(65, 1, '\0'); }, EngineStatus::FieldListDamaged},
      {"list ended by a line feed, records longer than the fields",
       [] { return Patched(10, 6, 2, LineFeedEnded()).insert(75, 2, ' '); }, EngineStatus::FieldListDamaged},
      {"list ended by a line feed, bytes after the end-of-file mark",
       [] { return LineFeedEnded() + "resto"; }, EngineStatus::FieldListDamaged},
      {"deletion flag neither blank nor asterisk",
       [] {
         return TableBytes(0x03, {{"N", 'C', 1}}, {" a", "*b", "Xc"});
       },
       EngineStatus::RecordFlagDamaged},
      {"not a number",
       [] {
         return TableBytes(0x03, {{"N", 'N', 8}}, {"     nan"});
       },
       EngineStatus::ValueDamaged},
      {"infinite number",
       [] {
         return TableBytes(0x03, {{"N", 'N', 8}}, {"    -inf"});
       },
       EngineStatus::ValueDamaged},
  };
  for (const Damage& c : cases) EXPECT_EQ(StatusOf([&] { ReadAll(c.bytes()); }), Code(c.status)) << c.what;
}

TEST(DamagedTable, FailureNamesTheFileAndTheFieldAndRecord) {
  try {
    ReadAll(TableBytes(0x03, {{"NAME", 'C', 2}, {"FECHA", 'D', 8}}, {" ab20230101", " cd2023AB01"}));
    FAIL() << "no failure raised";
  } catch (const EngineFailure& failure) {
    EXPECT_EQ(failure.text(), EngineStatusText(Code(EngineStatus::ValueDamaged)) + kLineEnd + "Campo: FECHA" +
                                  kLineEnd + "Registro: 2" + kLineEnd + "/tablas/PRUEBA.DBF");
  }
}

TEST(DamagedTable, FileThatShrankWhileOpenFailsAtTheMissingRows) {
  const std::string bytes = TableBytes(0x03, {{"N", 'C', 100}}, std::vector<std::string>(2000, " x"));
  DbaseTable table(std::make_unique<TestFile>(bytes, bytes.size() / 2), TableType::DBase, nullptr);
  const auto readAll = [&] {
    for (table.First(); !table.AtEnd(); table.Next()) table.Read(table.Fields()[0]);
  };
  EXPECT_EQ(StatusOf(readAll), Code(EngineStatus::RecordsMissing));
  // The row it stopped at stays unreadable, rather than giving stale bytes.
  EXPECT_EQ(StatusOf([&] { table.Read(table.Fields()[0]); }), Code(EngineStatus::RecordsMissing));
}

// A read that failed leaves no block behind for a later read to take for
// the records: the row is read again.
TEST(DamagedTable, AReadThatFailedLeavesNothingBehind) {
  const std::string bytes = TableBytes(0x03, {{"N", 'C', 2}}, {" ab"});
  constexpr std::uint64_t kRecords = 65;  // past the header of one field
  DbaseTable table(std::make_unique<TestFile>(bytes, bytes.size(), kRecords), TableType::DBase, nullptr);
  EXPECT_EQ(StatusOf([&] { table.First(); }), Code(EngineStatus::FileLocked));
  EXPECT_EQ(table.Read(table.Fields()[0]).text, "ab");
}

}  // namespace
}  // namespace zorva::dbase
