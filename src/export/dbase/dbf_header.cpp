#include "export/dbase/dbf_header.h"

#include <algorithm>
#include <string_view>

#include "export/dbase/byte_order.h"
#include "export/dbase/engine_failure.h"
#include "export/dbase/language_drivers.h"

namespace zorva::dbase {
namespace {

constexpr std::size_t kFixedHeader = 32;
constexpr std::size_t kLevel7Header = 68;  // adds the language driver's name
constexpr std::uint8_t kTerminator = 0x0D;
constexpr std::uint8_t kLineFeed = 0x0A;  // some writers end the field list with it
constexpr std::uint8_t kEndOfFile = 0x1A;
constexpr std::size_t kBacklinkSize = 263;  // Visual FoxPro's database container path

// VisualFoxPro field flags.
constexpr std::uint8_t kFlagSystem = 0x01;  // hidden, such as _NullFlags
constexpr std::uint8_t kFlagNullable = 0x02;
constexpr std::uint8_t kFlagBinary = 0x04;  // no code page conversion
constexpr std::uint8_t kFlagAutoIncrement = 0x08;

struct VersionRule {
  std::uint8_t version;
  TableFamily family;
};

constexpr VersionRule kVersions[] = {
    {0x03, TableFamily::Plain},        {0x05, TableFamily::Plain},        {0x83, TableFamily::DBase3},
    {0x43, TableFamily::DBase4},       {0x63, TableFamily::DBase4},       {0x7B, TableFamily::DBase4},
    {0x8B, TableFamily::DBase4},       {0xCB, TableFamily::DBase4},       {0x04, TableFamily::DBase7},
    {0x8C, TableFamily::DBase7},       {0xF5, TableFamily::FoxPro},       {0xFB, TableFamily::FoxPro},
    {0x30, TableFamily::VisualFoxPro}, {0x31, TableFamily::VisualFoxPro}, {0x32, TableFamily::VisualFoxPro},
};

// Each field type: the kind it is delivered as, how it is stored, and the
// widths it may have (a memo block number is 10 digits, or 4 bytes in Visual
// FoxPro).
struct TypeRule {
  char type;
  ColumnKind kind;
  FieldStorage storage;
  std::uint16_t minWidth, maxWidth;
};

constexpr TypeRule kTypes[] = {
    {'C', ColumnKind::Character, FieldStorage::Text, 1, 0xFFFF},
    {'V', ColumnKind::Character, FieldStorage::VarText, 1, 255},
    {'Q', ColumnKind::Bytes, FieldStorage::VarText, 1, 255},
    {'N', ColumnKind::Float, FieldStorage::Number, 1, 255},
    {'F', ColumnKind::Float, FieldStorage::Number, 1, 255},
    {'D', ColumnKind::Date, FieldStorage::Date, 8, 8},
    {'L', ColumnKind::Logical, FieldStorage::Logical, 1, 1},
    {'M', ColumnKind::Memo, FieldStorage::MemoBlock, 4, 10},
    {'G', ColumnKind::Bytes, FieldStorage::MemoBlock, 4, 10},
    {'P', ColumnKind::Bytes, FieldStorage::MemoBlock, 4, 10},
    {'W', ColumnKind::Bytes, FieldStorage::MemoBlock, 4, 10},
    {'B', ColumnKind::Bytes, FieldStorage::MemoBlock, 4, 10},
    {'I', ColumnKind::Int32, FieldStorage::Int32, 4, 4},
    {'+', ColumnKind::AutoInc, FieldStorage::Int32Ordered, 4, 4},
    {'O', ColumnKind::Float, FieldStorage::DoubleOrdered, 8, 8},
    {'@', ColumnKind::DateTime, FieldStorage::Timestamp, 8, 8},
    {'T', ColumnKind::DateTime, FieldStorage::JulianDateTime, 8, 8},
    {'Y', ColumnKind::Money, FieldStorage::Currency, 8, 8},
};

const TypeRule* FindType(char type) {
  for (const TypeRule& rule : kTypes)
    if (rule.type == type) return &rule;
  return nullptr;
}

std::string_view NameBytes(const unsigned char* bytes, std::size_t size) {
  std::string_view name(reinterpret_cast<const char*>(bytes), size);
  name = name.substr(0, name.find('\0'));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return name;
}

// One field descriptor as it stands in the header, before it is checked.
struct Descriptor {
  std::string_view name;
  char type;
  std::uint16_t width;
  std::uint8_t decimals;
  std::uint8_t flags;
  std::uint32_t offset;  // Visual FoxPro's place of the field in the record, or 0
};

Descriptor ReadDescriptor(const unsigned char* bytes, bool level7, bool visualFoxPro, bool wideCharacters) {
  if (level7) return {NameBytes(bytes, 32), static_cast<char>(bytes[32]), bytes[33], bytes[34], 0, 0};
  Descriptor descriptor{NameBytes(bytes, 11), static_cast<char>(bytes[11]), bytes[16], bytes[17], 0, 0};
  // A character field wider than 255 keeps the high byte of its width where
  // other fields keep their decimals.
  if (descriptor.type == 'C') {
    if (!wideCharacters) descriptor.decimals = 0;
    descriptor.width = static_cast<std::uint16_t>(descriptor.width | descriptor.decimals << 8);
    descriptor.decimals = 0;
  }
  if (visualFoxPro) {
    descriptor.flags = bytes[18];
    descriptor.offset = static_cast<std::uint32_t>(LittleEndian(bytes + 12, 4));
  }
  return descriptor;
}

// Where a field lies in the record, for checking that the fields fill it.
struct Extent {
  std::uint32_t offset;
  std::uint32_t width;
  std::string name;
};

class HeaderReader {
 public:
  explicit HeaderReader(const ByteSource& file) : file_(file) {}

  TableHeader Read() {
    unsigned char fixed[kFixedHeader];
    if (file_.ReadAt(0, fixed) < kFixedHeader) Fail(EngineStatus::HeaderTruncated);
    header_.version = fixed[0];
    header_.family = Family(fixed[0]);
    header_.recordCount = static_cast<std::uint32_t>(LittleEndian(fixed + 4, 4));
    header_.headerLength = static_cast<std::uint16_t>(LittleEndian(fixed + 8, 2));
    header_.recordLength = static_cast<std::uint16_t>(LittleEndian(fixed + 10, 2));
    header_.codePage = CodePageOfLanguageDriver(fixed[29]);

    const bool level7 = header_.family == TableFamily::DBase7;
    const std::size_t descriptorsStart = level7 ? kLevel7Header : kFixedHeader;
    if (file_.Size() < descriptorsStart + 1) Fail(EngineStatus::HeaderTruncated);
    if (header_.headerLength < descriptorsStart + 1 || header_.headerLength > file_.Size())
      Fail(EngineStatus::HeaderLength);

    std::vector<unsigned char> bytes(header_.headerLength);
    if (file_.ReadAt(0, bytes) < bytes.size()) Fail(EngineStatus::HeaderTruncated);
    // A level-7 table names its language driver after the fixed head; its
    // byte 29 is often 0.
    if (level7)
      if (const auto codePage = CodePageOfLanguageDriverName(NameBytes(&bytes[kFixedHeader], 32)))
        header_.codePage = codePage;
    const std::size_t size = level7 ? 48 : 32;
    // Some writers leave a stray byte where a character field wider than 255
    // keeps the high byte of its width: where the wide reading does not fill
    // the record and the plain one does, the plain one holds.
    std::vector<Extent> extents = ReadFields(bytes, descriptorsStart, size, true);
    if (LayoutFault(extents)) {
      std::vector<Extent> plain = ReadFields(bytes, descriptorsStart, size, false);
      if (LayoutFault(plain))
        ReadFields(bytes, descriptorsStart, size, true);
      else
        extents = std::move(plain);
    }
    if (const auto fault = LayoutFault(extents)) {
      if (lineFeedEnd_) Fail(EngineStatus::FieldListDamaged);
      Fail(EngineStatus::RecordLength, *fault);
    }
    CheckRecords();
    return std::move(header_);
  }

 private:
  [[noreturn]] void Fail(EngineStatus status, std::string_view field = {}) const {
    std::vector<std::string> contexts;
    if (!field.empty()) contexts.push_back(FieldContext(field));
    contexts.push_back(file_.Path());
    RaiseEngineFailure(status, std::move(contexts));
  }

  TableFamily Family(std::uint8_t version) const {
    for (const VersionRule& rule : kVersions)
      if (rule.version == version) return rule.family;
    Fail(EngineStatus::NotATable);
  }

  // Whether the list ends at `at`: at its terminator, or at a line feed that
  // is the header's last byte before Visual FoxPro's backlink (the rest of
  // the table is checked to agree with it).
  bool ListEndsAt(const std::vector<unsigned char>& bytes, std::size_t at, std::size_t backlink) {
    lineFeedEnd_ = bytes[at] == kLineFeed && at + 1 + backlink == bytes.size();
    return bytes[at] == kTerminator || lineFeedEnd_;
  }

  // The list ends at its terminator, which the header must hold (with
  // Visual FoxPro's backlink after it): a shorter header would put every
  // record early.
  std::vector<Extent> ReadFields(const std::vector<unsigned char>& bytes, std::size_t start, std::size_t size,
                                 bool wideCharacters) {
    const bool level7 = header_.family == TableFamily::DBase7;
    const bool visualFoxPro = header_.family == TableFamily::VisualFoxPro;
    header_.fields.clear();
    header_.nullFlags.reset();
    std::uint32_t offset = 1;  // past the deletion flag
    std::vector<Extent> extents;
    int nextBit = 0;
    const std::size_t backlink = visualFoxPro ? kBacklinkSize : 0;
    std::size_t at = start;
    for (; at < bytes.size() && !ListEndsAt(bytes, at, backlink); at += size) {
      if (at + size > bytes.size()) Fail(EngineStatus::FieldListDamaged);
      const Descriptor descriptor = ReadDescriptor(&bytes[at], level7, visualFoxPro, wideCharacters);
      FieldInfo field = Describe(descriptor, level7);
      field.offset = descriptor.offset != 0 ? descriptor.offset : offset;
      offset += field.width;
      extents.push_back({field.offset, field.width, field.name});

      if (descriptor.type == '0') {
        field.nullBit = field.lengthBit = -1;
        header_.nullFlags = std::move(field);
        continue;
      }
      if (descriptor.type == 'V' || descriptor.type == 'Q') field.lengthBit = nextBit++;
      if (descriptor.flags & kFlagNullable) field.nullBit = nextBit++;
      if (!(descriptor.flags & kFlagSystem)) header_.fields.push_back(std::move(field));
    }
    if (at >= bytes.size() || at + 1 + backlink > bytes.size()) Fail(EngineStatus::HeaderLength);
    const std::size_t flagBits = header_.nullFlags ? header_.nullFlags->width * 8u : 0u;
    if (static_cast<std::size_t>(nextBit) > flagBits) Fail(EngineStatus::FieldListDamaged);
    return extents;
  }

  FieldInfo Describe(const Descriptor& descriptor, bool level7) const {
    FieldInfo field;
    ProgramTextOfTable(descriptor.name, header_.codePage, field.name);
    field.type = descriptor.type;
    field.width = descriptor.width;
    if (descriptor.type == '0') {
      if (field.width == 0) Fail(EngineStatus::FieldWidth, field.name);
      return field;
    }
    const TypeRule* rule = FindType(descriptor.type);
    if (!rule) Fail(EngineStatus::FieldTypeUnknown, field.name);
    field.kind = rule->kind;
    field.storage = rule->storage;
    const bool memoWidth = field.width == 4 || field.width == 10;
    if (field.width < rule->minWidth || field.width > rule->maxWidth ||
        (rule->storage == FieldStorage::MemoBlock && !memoWidth)) {
      // Visual FoxPro's B is a double, dBase's a binary memo.
      if (descriptor.type != 'B' || field.width != 8) Fail(EngineStatus::FieldWidth, field.name);
      field.kind = ColumnKind::Float;
      field.storage = FieldStorage::Double;
    }
    if (rule->storage == FieldStorage::Number && descriptor.decimals > field.width)
      Fail(EngineStatus::FieldDecimals, field.name);
    if (level7 && descriptor.type == 'I') field.storage = FieldStorage::Int32Ordered;
    if (descriptor.type == 'I' && (descriptor.flags & kFlagAutoIncrement)) field.kind = ColumnKind::AutoInc;
    if ((descriptor.flags & kFlagBinary) &&
        (field.kind == ColumnKind::Character || field.kind == ColumnKind::Memo))
      field.kind = ColumnKind::Bytes;
    return field;
  }

  // The fields, each where the header places it, fill the record after its
  // deletion flag exactly, with no gap and no overlap: a field narrowed or
  // widened by a damaged header would move the ones after it. Some writers
  // leave a table without fields, each record only its deletion flag: that
  // is no damage. Gives the field out of place ("" for the record's length),
  // or nothing when they fill it.
  std::optional<std::string> LayoutFault(std::vector<Extent> extents) const {
    std::ranges::sort(extents, {}, &Extent::offset);
    std::uint32_t end = 1;
    for (const Extent& extent : extents) {
      if (extent.offset != end) return extent.name;
      end += extent.width;
    }
    if (end != header_.recordLength) return std::string();
    return std::nullopt;
  }

  // The records end where the file does, or at its end-of-file mark. Whole
  // records beyond the count are rows the count leaves out; a mark that ends
  // the file elsewhere means the header puts the records in the wrong place;
  // other bytes after the last record are a row cut short, which the count
  // was lowered to leave out. A list ended by a line feed is taken only
  // where the records end the file or its one last byte is the mark.
  void CheckRecords() const {
    const std::uint64_t size = file_.Size();
    const std::uint64_t end =
        header_.headerLength + std::uint64_t{header_.recordCount} * header_.recordLength;
    if (lineFeedEnd_ && end != size && (end + 1 != size || ByteAt(end) != kEndOfFile))
      Fail(EngineStatus::FieldListDamaged);
    if (end > size) Fail(EngineStatus::RecordsMissing);
    if (end < size && ByteAt(end) == kEndOfFile) return;
    if (size - end >= header_.recordLength) Fail(EngineStatus::RecordsUncounted);
    if (size > header_.headerLength && end != size - 1 && ByteAt(size - 1) == kEndOfFile)
      Fail(EngineStatus::HeaderLength);
    if (end < size && ByteAt(end) >= 0) Fail(EngineStatus::RecordIncomplete);
  }

  // The byte, or -1 when the file no longer holds it: reading the records
  // then tells that they are missing.
  int ByteAt(std::uint64_t offset) const {
    unsigned char byte = 0;
    return file_.ReadAt(offset, {&byte, 1}) < 1 ? -1 : byte;
  }

  const ByteSource& file_;
  TableHeader header_;
  bool lineFeedEnd_ = false;  // the field list ended at a line feed
};

}  // namespace

TableHeader ReadTableHeader(const ByteSource& file) { return HeaderReader(file).Read(); }

}  // namespace zorva::dbase
