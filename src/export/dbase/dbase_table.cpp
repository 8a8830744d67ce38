#include "export/dbase/dbase_table.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "export/dbase/engine_failure.h"
#include "export/dbase/field_values.h"
#include "export/dbase/memo_file.h"
#include "export/dbase/native_files.h"
#include "export/dbase/table_files.h"
#include "export/dbase/table_names.h"

namespace zorva::dbase {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;
constexpr unsigned char kLive = ' ';
constexpr unsigned char kDeleted = '*';

// Opens the table's file anew when the table starts over.
using TableOpener = std::function<std::unique_ptr<ByteSource>()>;

// The value of a field read past the last record. Out of line: clearing a
// whole value would make every read pay for its registers.
[[gnu::noinline]] void NullBeyondEnd(const FieldInfo& field, ColumnValue& value) {
  value = ColumnValue{};
  value.fieldName = field.name;
  value.kind = field.kind;
}

}  // namespace

struct DbaseTable::State {
  State(std::unique_ptr<ByteSource> table, TableOpener opener, TableType tableType, MemoOpener memoOpener)
      : file(std::move(table)),
        reopen(std::move(opener)),
        type(tableType),
        header(ReadTableHeader(*file)),
        openMemo(std::move(memoOpener)),
        values(header, file->Path(), [this]() -> const MemoFile& { return Memo(); }) {
    TakeLayout();
    current = header.recordCount;  // no row until First
  }

  const MemoFile& Memo() {
    if (!memo) memo.emplace(openMemo(MemoExtension(memoFormat)), memoFormat);
    return *memo;
  }

  void TakeLayout() {
    memoFormat = MemoFormatOf(header.family, type);
    recordsPerBuffer = std::max<std::size_t>(1, kBufferBytes / header.recordLength);
  }

  // Reads the table again as the file holds it now, through a fresh handle
  // that also sees a file replaced since. Nothing read before is kept but the
  // field list, and that only while the layout is the same, so that fields
  // already found still serve. Until the new header has been read and checked
  // the table has no current row.
  void StartOver() {
    current = header.recordCount;
    currentRecord = {};
    bufferCount = 0;
    memo.reset();
    if (reopen) {
      // The old handle goes first: a file removed while it was open is gone
      // only once no handle holds it.
      file.reset();
      file = reopen();
    }
    TableHeader now = ReadTableHeader(*file);
    if (SameLayout(now, header)) {
      header.recordCount = now.recordCount;
      header.headerLength = now.headerLength;
    } else {
      header = std::move(now);
      TakeLayout();
    }
  }

  static bool SameLayout(const TableHeader& a, const TableHeader& b) {
    return a.version == b.version && a.family == b.family && a.recordLength == b.recordLength &&
           a.codePage == b.codePage && a.fields == b.fields && a.nullFlags == b.nullFlags;
  }

  // The bytes of a record, read into the buffer with the records after it.
  // The buffer holds a block only once the whole block has been read.
  std::span<const unsigned char> Record(std::uint32_t index) {
    if (index < bufferFirst || index >= bufferFirst + bufferCount) {
      bufferCount = 0;
      const auto count = static_cast<std::uint32_t>(
          std::min<std::uint64_t>(recordsPerBuffer, header.recordCount - std::uint64_t{index}));
      buffer.resize(std::size_t{count} * header.recordLength);
      const std::uint64_t offset = header.headerLength + std::uint64_t{index} * header.recordLength;
      // The file may have shrunk since it was opened.
      if (file->ReadAt(offset, buffer) < buffer.size())
        RaiseEngineFailure(EngineStatus::RecordsMissing, {file->Path()});
      bufferFirst = index;
      bufferCount = count;
    }
    return std::span(buffer).subspan(std::size_t{index - bufferFirst} * header.recordLength,
                                     header.recordLength);
  }

  // The current record's bytes, found once for all the fields of its row.
  std::span<const unsigned char> CurrentRecord() {
    if (currentRecord.empty()) currentRecord = Record(current);
    return currentRecord;
  }

  void SkipDeleted() {
    currentRecord = {};
    while (current < header.recordCount && IsDeleted()) {
      ++current;
      currentRecord = {};
    }
  }

  // Any other flag than the two a record may carry means the records are
  // not where the header puts them, or the record is damaged.
  bool IsDeleted() {
    const unsigned char flag = CurrentRecord()[0];
    if (flag != kLive && flag != kDeleted)
      RaiseEngineFailure(EngineStatus::RecordFlagDamaged, {RecordContext(current + 1), file->Path()});
    return flag == kDeleted;
  }

  // None after a failed reopen, when the table has no row.
  std::unique_ptr<ByteSource> file;
  // None: the table starts over from the same file.
  TableOpener reopen;
  TableType type;
  TableHeader header;
  MemoFormat memoFormat{};
  MemoOpener openMemo;
  std::optional<MemoFile> memo;
  FieldValues values;
  std::size_t recordsPerBuffer = 1;
  bool started = false;  // First has been called since the table was opened
  std::vector<unsigned char> buffer;
  std::uint32_t bufferFirst = 0;
  std::uint32_t bufferCount = 0;
  std::uint32_t current = 0;
  std::span<const unsigned char> currentRecord;  // empty until found
};

DbaseTable DbaseTable::Open(const std::string& folder, std::string_view tableName, TableType type) {
  TableFile table = OpenTableFile(folder, tableName, type);
  std::string path = table.bytes->Path();
  return DbaseTable(std::make_unique<State>(
      std::move(table.bytes), [path] { return OpenReadOnlyShared(path, EngineStatus::TableNotFound); },
      table.type, [path](std::string_view extension) { return OpenFileBeside(path, extension); }));
}

DbaseTable::DbaseTable(std::unique_ptr<ByteSource> file, TableType type, MemoOpener openMemo)
    : DbaseTable(std::make_unique<State>(std::move(file), nullptr, type, std::move(openMemo))) {}

DbaseTable::DbaseTable(std::unique_ptr<State> state) : state_(std::move(state)) {}

DbaseTable::DbaseTable(DbaseTable&&) noexcept = default;
DbaseTable& DbaseTable::operator=(DbaseTable&&) noexcept = default;
DbaseTable::~DbaseTable() = default;

const std::vector<FieldInfo>& DbaseTable::Fields() const { return state_->header.fields; }

const FieldInfo* DbaseTable::FindField(std::string_view name) const {
  for (const FieldInfo& field : state_->header.fields)
    if (SameNameIgnoringCase(field.name, name)) return &field;
  return nullptr;
}

void DbaseTable::First() {
  if (std::exchange(state_->started, true)) state_->StartOver();
  state_->current = 0;
  state_->SkipDeleted();
}

bool DbaseTable::AtEnd() const { return state_->current >= state_->header.recordCount; }

void DbaseTable::Next() {
  if (AtEnd()) return;
  ++state_->current;
  state_->SkipDeleted();
}

ColumnValue DbaseTable::Read(const FieldInfo& field) const {
  ColumnValue value;
  Read(field, value);
  return value;
}

void DbaseTable::Read(const FieldInfo& field, ColumnValue& value) const {
  if (AtEnd()) return NullBeyondEnd(field, value);
  state_->values.Read(field, state_->CurrentRecord(), state_->current + 1, value);
}

}  // namespace zorva::dbase
