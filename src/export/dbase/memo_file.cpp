#include "export/dbase/memo_file.h"

#include <algorithm>

#include "export/dbase/byte_order.h"

namespace zorva::dbase {
namespace {

constexpr std::uint32_t kHeaderSize = 512;
constexpr unsigned char kEndOfText = 0x1A;
constexpr unsigned char kDBase4Signature[] = {0xFF, 0xFF, 0x08, 0x00};

}  // namespace

MemoFormat MemoFormatOf(TableFamily family, TableType type) {
  switch (family) {
    case TableFamily::DBase3:
      return MemoFormat::DBase3;
    case TableFamily::DBase4:
    case TableFamily::DBase7:
      return MemoFormat::DBase4;
    case TableFamily::FoxPro:
    case TableFamily::VisualFoxPro:
      return MemoFormat::FoxPro;
    case TableFamily::Plain:
      break;
  }
  return type == TableType::FoxPro ? MemoFormat::FoxPro : MemoFormat::DBase3Or4;
}

std::string_view MemoExtension(MemoFormat format) { return format == MemoFormat::FoxPro ? ".FPT" : ".DBT"; }

MemoFile::MemoFile(std::unique_ptr<ByteSource> file, MemoFormat format)
    : file_(std::move(file)), format_(format) {
  unsigned char header[kHeaderSize];
  if (file_->ReadAt(0, header) < kHeaderSize) Fail(EngineStatus::MemoDamaged);
  if (format_ == MemoFormat::FoxPro) {
    blockSize_ = static_cast<std::uint32_t>(BigEndian(header + 6, 2));
    if (blockSize_ == 0) Fail(EngineStatus::MemoDamaged);
  } else if (format_ != MemoFormat::DBase3) {
    blockSize_ = static_cast<std::uint32_t>(LittleEndian(header + 20, 2));
    if (blockSize_ == 0) blockSize_ = kHeaderSize;
  }
}

std::string MemoFile::Read(std::uint64_t block, std::span<const std::string> context, bool text) const {
  const std::uint64_t offset = block * blockSize_;
  if (offset < kHeaderSize || offset >= file_->Size()) Fail(EngineStatus::MemoOutside, context);
  if (format_ == MemoFormat::DBase3) return ReadTerminated(offset, context);

  unsigned char head[8];
  const bool wholeHead = file_->ReadAt(offset, head) == sizeof head;
  if (format_ == MemoFormat::FoxPro) {
    if (!wholeHead) Fail(EngineStatus::MemoDamaged, context);
    std::string bytes = ReadCounted(offset + 8, BigEndian(head + 4, 4), context);
    if (text && bytes.find('\0') != std::string::npos) Fail(EngineStatus::MemoDamaged, context);
    return bytes;
  }
  // A dBase IV memo counts its own 8-byte head; a table that the header
  // cannot place may also hold memos of the dBase III kind.
  if (!wholeHead || !std::equal(head, head + 4, kDBase4Signature)) {
    if (format_ == MemoFormat::DBase3Or4) return ReadTerminated(offset, context);
    Fail(EngineStatus::MemoDamaged, context);
  }
  const std::uint64_t length = LittleEndian(head + 4, 4);
  if (length < 8) Fail(EngineStatus::MemoDamaged, context);
  return ReadCounted(offset + 8, length - 8, context);
}

std::string MemoFile::ReadTerminated(std::uint64_t offset, std::span<const std::string> context) const {
  std::string text;
  unsigned char chunk[4096];
  while (offset < file_->Size()) {
    const std::size_t want = std::min<std::uint64_t>(sizeof chunk, file_->Size() - offset);
    const std::size_t got = file_->ReadAt(offset, {chunk, want});
    if (got == 0) break;
    const unsigned char* end = std::find(chunk, chunk + got, kEndOfText);
    const auto count = static_cast<std::size_t>(end - chunk);
    if (text.size() + count > kMaxMemoBytes) Fail(EngineStatus::MemoDamaged, context);
    text.append(reinterpret_cast<const char*>(chunk), count);
    if (end != chunk + got) return text;
    offset += got;
  }
  // The file ended before the memo's end mark: it was cut short.
  Fail(EngineStatus::MemoDamaged, context);
}

std::string MemoFile::ReadCounted(std::uint64_t offset, std::uint64_t length,
                                  std::span<const std::string> context) const {
  if (length > kMaxMemoBytes || length > file_->Size() || offset > file_->Size() - length)
    Fail(EngineStatus::MemoDamaged, context);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  auto* data = reinterpret_cast<unsigned char*>(bytes.data());
  if (file_->ReadAt(offset, {data, bytes.size()}) < bytes.size()) Fail(EngineStatus::MemoDamaged, context);
  return bytes;
}

void MemoFile::Fail(EngineStatus status, std::span<const std::string> context) const {
  std::vector<std::string> lines(context.begin(), context.end());
  lines.push_back(file_->Path());
  RaiseEngineFailure(status, std::move(lines));
}

}  // namespace zorva::dbase
