// libFuzzer target over the table and memo parsers: opens the input as a
// table with its memo file, reads every field of every row, and accepts any
// Failure. A crash, an over-read or a hang is a finding.
//
// An input is: one byte choosing the table type, the table's length as four
// little-endian bytes, the table's bytes, then the memo file's bytes.
// fixtures/make_engine_fixtures.py writes the seed corpus in that form.
#include <cstddef>
#include <cstdint>
#include <string>

#include "export/dbase/byte_source.h"
#include "export/dbase/dbase_table.h"
#include "export/dbase/engine_failure.h"

using namespace zorva;
using namespace zorva::dbase;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  constexpr TableType kTypes[] = {TableType::Default, TableType::DBase, TableType::FoxPro};
  const TableType type = kTypes[data[0] % 3];
  std::size_t tableLength = data[1] | data[2] << 8 | data[3] << 16 | std::size_t{data[4]} << 24;
  const auto* rest = reinterpret_cast<const char*>(data + 5);
  const std::size_t restLength = size - 5;
  if (tableLength > restLength) tableLength = restLength;
  std::string table(rest, tableLength);
  std::string memo(rest + tableLength, restLength - tableLength);

  try {
    DbaseTable reader(MemoryBytes(std::move(table), "FUZZ.DBF"), type,
                      [&memo](std::string_view extension) -> std::unique_ptr<ByteSource> {
                        if (memo.empty()) RaiseEngineFailure(EngineStatus::MemoNotFound, {"FUZZ"});
                        return MemoryBytes(memo, "FUZZ" + std::string(extension));
                      });
    for (reader.First(); !reader.AtEnd(); reader.Next())
      for (const FieldInfo& field : reader.Fields()) reader.Read(field);
  } catch (const Failure&) {
  }
  return 0;
}
