#include "export/dbase/dbase_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>

#include "export/dbase/byte_source.h"
#include "export/dbase/memo_file.h"
#include "support/table_bytes.h"
#include "textforms/failure_texts.h"
#include "textforms/program_text.h"

namespace zorva::dbase {
namespace {

using test_support::MemoBytes;
using test_support::PutLittleEndian;
using test_support::StatusOf;
using test_support::TableBytes;
using test_support::TableOver;
using test_support::TestField;

std::uint16_t Code(EngineStatus status) { return static_cast<std::uint16_t>(status); }

// Opens the table and reads every field of every row.
void ReadAll(std::string bytes, std::string memo = {}) {
  DbaseTable table = TableOver(std::move(bytes), std::move(memo));
  for (table.First(); !table.AtEnd(); table.Next())
    for (const FieldInfo& field : table.Fields()) table.Read(field);
}

std::string Simple() { return TableBytes(0x03, {{"NAME", 'C', 4}}, {" abcd", " efgh"}); }

// The bytes with `count` of them at `at` replaced by `value`, little-endian.
std::string Patched(std::size_t at, std::uint64_t value, int count, std::string bytes = Simple()) {
  PutLittleEndian(bytes, at, value, count);
  return bytes;
}

// The bytes with their `count` bytes at `at` swapped for those at `with`.
std::string Swapped(std::string bytes, std::size_t at, std::size_t with, std::size_t count) {
  std::swap_ranges(bytes.begin() + at, bytes.begin() + at + count, bytes.begin() + with);
  return bytes;
}

// Simple's table with its field list ended by a line feed, as some writers end it.
std::string LineFeedEnded() { return Patched(64, '\n', 1); }

std::string TwoFields(std::uint8_t version) {
  return TableBytes(version, {{"A", 'C', 2}, {"B", 'C', 3}}, {" aabbb"});
}

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

TEST(DamagedTable, FailureNamesTheFileAndTheFieldAndRecord) {
  try {
    ReadAll(TableBytes(0x03, {{"NAME", 'C', 2}, {"FECHA", 'D', 8}}, {" ab20230101", " cd2023AB01"}));
    FAIL() << "no failure raised";
  } catch (const EngineFailure& failure) {
    EXPECT_EQ(failure.text(), EngineStatusText(Code(EngineStatus::ValueDamaged)) + kLineEnd + "Campo: FECHA" +
                                  kLineEnd + "Registro: 2" + kLineEnd + "/tablas/PRUEBA.DBF");
  }
}

// Bytes in memory behind a file that may claim more bytes than it holds (a
// file that shrank after it was opened), that records its largest read, and
// whose read at `failOnceAt` fails once, as on a region another program locks.
class TestFile final : public ByteSource {
 public:
  TestFile(std::string bytes, std::size_t keep, std::optional<std::uint64_t> failOnceAt = {})
      : inner_(MemoryBytes(bytes.substr(0, keep), "/t/T.DBF")),
        size_(bytes.size()),
        failOnceAt_(failOnceAt) {}
  const std::string& Path() const override { return inner_->Path(); }
  std::uint64_t Size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, std::span<unsigned char> out) const override {
    *largest = std::max(*largest, out.size());
    if (offset == failOnceAt_ && std::exchange(failOnceAt_, std::nullopt))
      RaiseEngineFailure(EngineStatus::FileLocked, {Path()});
    return inner_->ReadAt(offset, out);
  }
  std::shared_ptr<std::size_t> largest = std::make_shared<std::size_t>(0);

 private:
  std::unique_ptr<ByteSource> inner_;
  std::uint64_t size_;
  mutable std::optional<std::uint64_t> failOnceAt_;
};

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

struct MemoDamage {
  const char* what;
  std::uint8_t version;  // 30h Visual FoxPro, 83h dBase III, 8Bh dBase IV
  std::string pointer;  // the memo field's bytes
  std::function<std::string()> memo;
  EngineStatus status;
};

TEST(DamagedMemo, GivesItsFailureOnlyWhenTheMemoIsRead) {
  const std::string fptMemo = std::string("\0\0\0\1\0\0\0\3abc", 11);
  // Two text memos in blocks of 16 bytes, the first padded with NUL bytes.
  const auto twoFptMemos = [](char firstLength) {
    return MemoBytes(true, 16,
                     std::string("\0\0\0\1\0\0\0", 7) + firstLength + "abc" + std::string(5, '\0') +
                         std::string("\0\0\0\1\0\0\0\2de", 10));
  };
  const MemoDamage cases[] = {
      {"no memo file", 0x8B, "         1", [] { return std::string(); }, EngineStatus::MemoNotFound},
      {"memo file shorter than its header", 0x8B, "         1", [] { return std::string(100, '\0'); },
       EngineStatus::MemoDamaged},
      {"block beyond the end", 0x8B, "        99", [] { return MemoBytes(false, 512, "x"); },
       EngineStatus::MemoOutside},
      {"block inside the header", 0x30, std::string("\x02\0\0\0", 4),
       [&] { return MemoBytes(true, 64, fptMemo); }, EngineStatus::MemoOutside},
      {"dBase IV length beyond the end", 0x8B, "         1",
       [] { return MemoBytes(false, 512, std::string("\xFF\xFF\x08\x00\xFF\x00\x00\x00text", 12)); },
       EngineStatus::MemoDamaged},
      {"dBase IV length shorter than its own head", 0x8B, "         1",
       [] { return MemoBytes(false, 512, std::string("\xFF\xFF\x08\x00\x04\x00\x00\x00text", 12)); },
       EngineStatus::MemoDamaged},
      {"FoxPro length beyond the end", 0x30, std::string("\x08\0\0\0", 4),
       [] { return MemoBytes(true, 64, std::string("\0\0\0\1\x7F\0\0\0abc", 11)); },
       EngineStatus::MemoDamaged},
      {"FoxPro block size zero", 0x30, std::string("\x08\0\0\0", 4),
       [&] { return MemoBytes(true, 0, fptMemo); }, EngineStatus::MemoDamaged},
      {"FoxPro text memo whose length reaches into its block's padding", 0x30, std::string("\x20\0\0\0", 4),
       [&] { return twoFptMemos(5); }, EngineStatus::MemoDamaged},
      {"FoxPro text memo whose length reaches into the next memo", 0x30, std::string("\x20\0\0\0", 4),
       [&] { return twoFptMemos(12); }, EngineStatus::MemoDamaged},
      {"dBase III memo that the file ends before its end mark", 0x83, "         1",
       [] { return MemoBytes(false, 512, "nota cortada"); }, EngineStatus::MemoDamaged},
  };
  for (const MemoDamage& c : cases) {
    const auto width = static_cast<std::uint8_t>(c.pointer.size());
    DbaseTable table = TableOver(
        TableBytes(c.version, {{"ID", 'C', 2}, {"NOTA", 'M', width}}, {" 01" + c.pointer}), c.memo());
    table.First();
    EXPECT_EQ(table.Read(table.Fields()[0]).text, "01") << c.what;
    EXPECT_EQ(StatusOf([&] { table.Read(table.Fields()[1]); }), Code(c.status)) << c.what;
  }
}

TEST(DamagedMemo, MemoWithoutItsDBase4HeadIsTextOnlyWhereTheVersionLeavesTheFormatOpen) {
  const std::string memo = MemoBytes(false, 512, "nota\x1A\x1A");
  const std::pair<std::uint8_t, EngineStatus> cases[] = {
      {0x03, EngineStatus{}},            // no memo format named: dBase III memos may be there
      {0x83, EngineStatus{}},            // dBase III: always so
      {0x8B, EngineStatus::MemoDamaged}  // dBase IV: every memo has its head
  };
  for (const auto& [version, status] : cases) {
    DbaseTable table = TableOver(TableBytes(version, {{"NOTA", 'M', 10}}, {"          1"}), memo);
    table.First();
    std::string text;
    EXPECT_EQ(StatusOf([&] { text = table.Read(table.Fields()[0]).text; }), Code(status)) << int(version);
    if (status == EngineStatus{}) {
      EXPECT_EQ(text, "nota") << int(version);
    }
  }
}

// A memo file of `size` bytes that keeps only its first ones: the others read
// as 'x', with no end mark anywhere.
class VastMemo final : public ByteSource {
 public:
  VastMemo(std::string start, std::uint64_t size) : start_(std::move(start)), size_(size) {}
  const std::string& Path() const override { return path_; }
  std::uint64_t Size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, std::span<unsigned char> out) const override {
    std::size_t count = 0;
    for (; count < out.size() && offset + count < size_; ++count)
      out[count] = offset + count < start_.size() ? start_[offset + count] : 'x';
    return count;
  }

 private:
  std::string start_;
  std::uint64_t size_;
  std::string path_ = "/tablas/GRANDE.MEMO";
};

TEST(DamagedMemo, AMemoBeyondTheLimitIsDamagedNamingFieldRecordAndFile) {
  constexpr std::uint64_t kClaimed = 1'400'000'000;
  struct Case {
    const char* what;
    std::uint8_t version;
    std::string pointer;
    std::string head;  // the first block's head
  };
  const Case cases[] = {
      {"FoxPro length", 0x30, std::string("\x08\0\0\0", 4), std::string("\0\0\0\1\x53\x72\x6E\x00", 8)},
      {"dBase IV length", 0x8B, "         8", std::string("\xFF\xFF\x08\x00\x00\x6E\x72\x53", 8)},
      {"dBase III text without its end mark", 0x83, "         1", ""},
  };
  for (const Case& c : cases) {
    const std::string start = MemoBytes(c.version == 0x30, 64, "") + c.head;
    const auto width = static_cast<std::uint8_t>(c.pointer.size());
    const std::uint64_t size = c.head.empty() ? kMaxMemoBytes + 1024 : kClaimed;
    DbaseTable table(MemoryBytes(TableBytes(c.version, {{"NOTA", 'M', width}}, {" " + c.pointer}), "/t/P.DBF"),
                     TableType::DBase, [&](std::string_view) { return std::make_unique<VastMemo>(start, size); });
    table.First();
    const auto failure = test_support::FailureOf([&] { table.Read(table.Fields()[0]); });
    ASSERT_TRUE(failure) << c.what;
    EXPECT_EQ(failure->text(), EngineStatusText(Code(EngineStatus::MemoDamaged)) + kLineEnd + "Campo: NOTA" +
                                   kLineEnd + "Registro: 1" + kLineEnd + "/tablas/GRANDE.MEMO")
        << c.what;
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
