#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "export/dbase/byte_source.h"
#include "export/dbase/dbf_header.h"
#include "export/dbase/engine_failure.h"
#include "export/dbase/table_type.h"

namespace zorva::dbase {

enum class MemoFormat {
  DBase3,     // .DBT of 512-byte blocks, each memo ended by 1Ah
  DBase4,     // .DBT whose memos start with FF FF 08 00 and their length
  DBase3Or4,  // .DBT of a table whose header names neither: memos of either kind
  FoxPro,     // .FPT, big-endian block headers with type and length
};

// The most bytes one memo may hold. A longer one is taken for a damaged
// length or a missing end mark, not read into memory.
inline constexpr std::uint64_t kMaxMemoBytes = 64u << 20;

// The memo format of a table: from its header when that tells, otherwise from
// the table's type.
MemoFormat MemoFormatOf(TableFamily family, TableType type);

// The memo file's extension, with its dot.
std::string_view MemoExtension(MemoFormat format);

// A memo file, read on demand. Every block number and length is checked
// against the file: a pointer outside it raises MemoOutside, a damaged block
// or a memo longer than kMaxMemoBytes MemoDamaged, both naming the file. So
// does a dBase III memo that the file ends before its end mark, and a
// FoxPro text memo holding a NUL byte: its length reaches beyond its text,
// into its block's padding or the next memo's head.
class MemoFile {
 public:
  MemoFile(std::unique_ptr<ByteSource> file, MemoFormat format);

  // The bytes of the memo that starts at the block (block 0 holds the
  // header); `text` for a memo read as text, not bytes. A failure names the
  // context lines (field, record), then the file.
  std::string Read(std::uint64_t block, std::span<const std::string> context = {}, bool text = false) const;

 private:
  std::string ReadTerminated(std::uint64_t offset, std::span<const std::string> context) const;
  std::string ReadCounted(std::uint64_t offset, std::uint64_t length,
                          std::span<const std::string> context) const;
  [[noreturn]] void Fail(EngineStatus status, std::span<const std::string> context = {}) const;

  std::unique_ptr<ByteSource> file_;
  MemoFormat format_;
  std::uint32_t blockSize_ = 512;
};

}  // namespace zorva::dbase
