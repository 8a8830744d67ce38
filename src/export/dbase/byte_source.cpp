#include "export/dbase/byte_source.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace zorva::dbase {
namespace {

class MemorySource final : public ByteSource {
 public:
  MemorySource(std::string bytes, std::string path) : bytes_(std::move(bytes)), path_(std::move(path)) {}

  const std::string& Path() const override { return path_; }
  std::uint64_t Size() const override { return bytes_.size(); }

  std::size_t ReadAt(std::uint64_t offset, std::span<unsigned char> out) const override {
    if (offset >= bytes_.size()) return 0;
    const std::size_t count = std::min<std::uint64_t>(out.size(), bytes_.size() - offset);
    std::memcpy(out.data(), bytes_.data() + offset, count);
    return count;
  }

 private:
  std::string bytes_;
  std::string path_;
};

}  // namespace

std::unique_ptr<ByteSource> MemoryBytes(std::string bytes, std::string path) {
  return std::make_unique<MemorySource>(std::move(bytes), std::move(path));
}

}  // namespace zorva::dbase
