#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace zorva::dbase {

// The narrow window through which the engine reads a file: its size, and
// bytes at an offset. A real file (table_files.h) or bytes in memory, for
// the tests and the fuzzer.
class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // The path named in failures.
  virtual const std::string& Path() const = 0;

  // The size when the source was opened; the engine reads nothing beyond it.
  virtual std::uint64_t Size() const = 0;

  // Fills `out` from `offset`; returns how many bytes were there (fewer only
  // at the end of the file). A failing read is an EngineFailure.
  virtual std::size_t ReadAt(std::uint64_t offset, std::span<unsigned char> out) const = 0;
};

std::unique_ptr<ByteSource> MemoryBytes(std::string bytes, std::string path);

}  // namespace zorva::dbase
