#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "export/dbase/dbase_table.h"
#include "export/dbase/engine_failure.h"

// Small tables built in memory, for the cases the fixture files do not hold:
// damaged headers and values, and tables of a given shape.
namespace zorva::dbase::test_support {

struct TestField {
  std::string name;
  char type;
  std::uint16_t width;     // a character field's high byte goes where decimals do
  std::uint8_t flags = 0;  // Visual FoxPro field flags
  std::uint8_t decimals = 0;
};

// A table file: 32-byte header (68 bytes at level 7, with the language
// driver's name), descriptors (48 bytes at level 7; with each field's offset
// in a Visual FoxPro table), terminator, the records (each with its deletion
// flag, padded with blanks to the record length) and the end-of-file mark.
std::string TableBytes(std::uint8_t version, const std::vector<TestField>& fields,
                       const std::vector<std::string>& records, std::uint8_t languageDriver = 0,
                       const std::string& driverName = {});

// A memo file: the 512-byte header, then `body`. `blockSize` goes where the
// format keeps it (FoxPro big-endian at byte 6, dBase IV at byte 20).
std::string MemoBytes(bool foxPro, std::uint16_t blockSize, const std::string& body);

void PutLittleEndian(std::string& bytes, std::size_t at, std::uint64_t value, int count);

// A table over the bytes, with `memo` as its memo file (none when empty).
DbaseTable TableOver(std::string bytes, std::string memo = {}, TableType type = TableType::DBase);

// The EngineFailure that `action` raises, if it raises one.
template <typename Action>
std::optional<EngineFailure> FailureOf(Action&& action) {
  try {
    action();
  } catch (const EngineFailure& failure) {
    return failure;
  }
  return std::nullopt;
}

// Its status, or 0 when it raises none.
template <typename Action>
std::uint16_t StatusOf(Action&& action) {
  const auto failure = FailureOf(action);
  return failure ? failure->status() : 0;
}

// An engine status as the failures carry it.
inline std::uint16_t Code(EngineStatus status) { return static_cast<std::uint16_t>(status); }

// Opens the table and reads every field of every row.
inline void ReadAll(std::string bytes, std::string memo = {}) {
  DbaseTable table = TableOver(std::move(bytes), std::move(memo));
  for (table.First(); !table.AtEnd(); table.Next())
    for (const FieldInfo& field : table.Fields()) table.Read(field);
}

// A dBase III table of one character field and two rows.
inline std::string Simple() { return TableBytes(0x03, {{"NAME", 'C', 4}}, {" abcd", " efgh"}); }

// The bytes with `count` of them at `at` replaced by `value`, little-endian.
inline std::string Patched(std::size_t at, std::uint64_t value, int count, std::string bytes = Simple()) {
  PutLittleEndian(bytes, at, value, count);
  return bytes;
}

// The bytes with their `count` bytes at `at` swapped for those at `with`.
inline std::string Swapped(std::string bytes, std::size_t at, std::size_t with, std::size_t count) {
  std::swap_ranges(bytes.begin() + at, bytes.begin() + at + count, bytes.begin() + with);
  return bytes;
}

// Simple's table with its field list ended by a line feed, as some writers end it.
inline std::string LineFeedEnded() { return Patched(64, '\n', 1); }

// A table of two character fields and one row, of the given version.
inline std::string TwoFields(std::uint8_t version) {
  return TableBytes(version, {{"A", 'C', 2}, {"B", 'C', 3}}, {" aabbb"});
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

}  // namespace zorva::dbase::test_support
