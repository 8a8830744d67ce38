#pragma once

#include <cstdint>
#include <optional>
#include <string>
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

}  // namespace zorva::dbase::test_support
