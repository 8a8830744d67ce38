#include "support/table_bytes.h"

#include "export/dbase/byte_source.h"

namespace zorva::dbase::test_support {

void PutLittleEndian(std::string& bytes, std::size_t at, std::uint64_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

std::string TableBytes(std::uint8_t version, const std::vector<TestField>& fields,
                       const std::vector<std::string>& records, std::uint8_t languageDriver,
                       const std::string& driverName) {
  std::size_t recordLength = 1;
  for (const TestField& field : fields) recordLength += field.width;
  const bool visualFoxPro = version >= 0x30 && version <= 0x32;
  const bool level7 = version == 0x04 || version == 0x8C;
  const std::size_t head = level7 ? 68 : 32;
  const std::size_t headerLength = head + (level7 ? 48 : 32) * fields.size() + 1 + (visualFoxPro ? 263 : 0);

  std::string bytes(head, '\0');
  bytes[0] = static_cast<char>(version);
  PutLittleEndian(bytes, 4, records.size(), 4);
  PutLittleEndian(bytes, 8, headerLength, 2);
  PutLittleEndian(bytes, 10, recordLength, 2);
  bytes[29] = static_cast<char>(languageDriver);
  if (level7) bytes.replace(32, driverName.size(), driverName);
  std::size_t offset = 1;
  for (const TestField& field : fields) {
    if (level7) {
      std::string descriptor(48, '\0');
      descriptor.replace(0, field.name.size(), field.name);
      descriptor[32] = field.type;
      descriptor[33] = static_cast<char>(field.width);
      descriptor[34] = static_cast<char>(field.decimals);
      bytes += descriptor;
      continue;
    }
    std::string descriptor(32, '\0');
    descriptor.replace(0, field.name.size(), field.name);
    descriptor[11] = field.type;
    if (visualFoxPro) PutLittleEndian(descriptor, 12, offset, 4);
    PutLittleEndian(descriptor, 16, field.width, field.type == 'C' ? 2 : 1);
    if (field.type != 'C') descriptor[17] = static_cast<char>(field.decimals);
    descriptor[18] = static_cast<char>(field.flags);
    bytes += descriptor;
    offset += field.width;
  }
  bytes += '\r';
  bytes.resize(headerLength, '\0');
  for (std::string record : records) {
    record.resize(recordLength, ' ');
    bytes += record;
  }
  return bytes + '\x1A';
}

std::string MemoBytes(bool foxPro, std::uint16_t blockSize, const std::string& body) {
  std::string bytes(512, '\0');
  if (foxPro) {
    bytes[6] = static_cast<char>(blockSize >> 8);
    bytes[7] = static_cast<char>(blockSize & 0xFF);
  } else {
    PutLittleEndian(bytes, 20, blockSize, 2);
  }
  return bytes + body;
}

DbaseTable TableOver(std::string bytes, std::string memo, TableType type) {
  return DbaseTable(MemoryBytes(std::move(bytes), "/tablas/PRUEBA.DBF"), type,
                    [memo](std::string_view extension) -> std::unique_ptr<ByteSource> {
                      if (memo.empty())
                        RaiseEngineFailure(EngineStatus::MemoNotFound,
                                           {"/tablas/PRUEBA" + std::string(extension)});
                      return MemoryBytes(memo, "/tablas/PRUEBA" + std::string(extension));
                    });
}

}  // namespace zorva::dbase::test_support
