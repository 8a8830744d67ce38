#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "textforms/failure.h"

namespace zorva {

// The table engine's status codes. Each has one text of its own, in the
// table in engine_failure.cpp.
enum class EngineStatus : std::uint16_t {
  FolderNotFound = 0x3101,
  TableNotFound = 0x3102,
  AccessDenied = 0x3103,
  FileLocked = 0x3104,
  OpenFailed = 0x3105,
  ReadFailed = 0x3106,
  NotATable = 0x3201,
  HeaderTruncated = 0x3202,
  HeaderLength = 0x3203,
  FieldListDamaged = 0x3204,
  FieldTypeUnknown = 0x3205,
  FieldWidth = 0x3206,
  RecordLength = 0x3207,
  RecordsMissing = 0x3208,
  ValueDamaged = 0x3209,
  RecordsUncounted = 0x320A,
  RecordFlagDamaged = 0x320B,
  FieldDecimals = 0x320C,
  RecordIncomplete = 0x320D,
  MemoNotFound = 0x3301,
  MemoDamaged = 0x3302,
  MemoOutside = 0x3303,
  TableClosed = 0x3401,
  FolderOfOpenTable = 0x3402,
};

// Codes that the composition of the text treats specially.
inline constexpr std::uint16_t kStatusTextInEntries = 0x2EC4;  // only the entries speak
inline constexpr std::uint16_t kStatusEndOfEntries = 0x2A06;   // closes the entry list

// One of the engine's error entries: a status, the system's own code (0 when
// the engine found the fault itself) and a context, such as a file's path.
struct EngineEntry {
  std::uint16_t status = 0;
  std::int32_t nativeCode = 0;
  std::string context;
};

// The engine's text for a status code (program text), empty for a code it
// does not know.
std::string EngineStatusText(std::uint16_t status);

// The failure text for a status and its entries: the status's text, then per
// entry its status's text (when it has no native code) and its context, each
// line trimmed and kept once, joined by the platform's line end (kLineEnd);
// "Error BDE $XXXX" when no line is left.
std::string ComposeEngineText(std::uint16_t status, std::span<const EngineEntry> entries);

// A failure of the table engine, of kind Engine, keeping its status and
// entries besides the composed text.
class EngineFailure : public Failure {
 public:
  EngineFailure(std::uint16_t status, std::vector<EngineEntry> entries);

  std::uint16_t status() const noexcept { return status_; }
  const std::vector<EngineEntry>& entries() const noexcept { return entries_; }

 private:
  std::uint16_t status_;
  std::vector<EngineEntry> entries_;
};

// Raises the engine's failure for the status, with one entry per context line
// (a path, a field, a record), the first of them carrying the system's code.
[[noreturn]] void RaiseEngineFailure(EngineStatus status, std::vector<std::string> contexts,
                                     std::int32_t nativeCode = 0);

// Context lines naming a field and a record (counted from 1).
std::string FieldContext(std::string_view fieldName);
std::string RecordContext(std::uint32_t recordNumber);

}  // namespace zorva
