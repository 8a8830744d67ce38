// Damaged memo files: each gives its failure when the memo is read.
#include "export/dbase/dbase_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "export/dbase/byte_source.h"
#include "export/dbase/memo_file.h"
#include "support/table_bytes.h"
#include "textforms/failure_texts.h"

namespace zorva::dbase {
namespace {

using namespace test_support;

struct MemoDamage {
  const char* what;
  std::uint8_t version;  // 30h Visual FoxPro, 83h dBase III, 8Bh dBase IV
  std::string pointer;   // the memo field's bytes
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
    DbaseTable table(
        MemoryBytes(TableBytes(c.version, {{"NOTA", 'M', width}}, {" " + c.pointer}), "/t/P.DBF"),
        TableType::DBase, [&](std::string_view) { return std::make_unique<VastMemo>(start, size); });
    table.First();
    const auto failure = test_support::FailureOf([&] { table.Read(table.Fields()[0]); });
    ASSERT_TRUE(failure) << c.what;
    EXPECT_EQ(failure->text(), EngineStatusText(Code(EngineStatus::MemoDamaged)) + kLineEnd + "Campo: NOTA" +
                                   kLineEnd + "Registro: 1" + kLineEnd + "/tablas/GRANDE.MEMO")
        << c.what;
  }
}

}  // namespace
}  // namespace zorva::dbase
