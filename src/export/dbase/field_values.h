#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "export/dbase/dbf_header.h"
#include "export/dbase/memo_file.h"
#include "textforms/column_value.h"

namespace zorva::dbase {

// Turns a field of a record into the ColumnValue its kind calls for: text
// converted to program text, blank numbers, dates and logicals as null.
// A value that its storage cannot hold raises ValueDamaged, naming the
// field, the record and the file.
class FieldValues {
 public:
  // `memos` gives the table's memo file, opening it when first asked.
  FieldValues(const TableHeader& header, std::string tablePath, std::function<const MemoFile&()> memos);

  // `record` is the whole record, deletion flag included; `recordNumber`
  // counts from 1.
  ColumnValue Read(const FieldInfo& field, std::span<const unsigned char> record,
                   std::uint32_t recordNumber) const;

  // The same into `value`, whose text keeps its room from field to field.
  void Read(const FieldInfo& field, std::span<const unsigned char> record, std::uint32_t recordNumber,
            ColumnValue& value) const;

 private:
  bool FlagBit(std::span<const unsigned char> record, int bit) const;
  // The storages other than plain text and numbers, kept out of line: their
  // checks would otherwise cost every field of every row.
  [[gnu::noinline]] void ReadOther(const FieldInfo& field, std::span<const unsigned char> record,
                                   std::uint32_t recordNumber, ColumnValue& value) const;
  void DeliverText(const FieldInfo& field, std::string_view stored, ColumnValue& value) const;
  std::string MemoBytes(const FieldInfo& field, std::span<const unsigned char> bytes,
                        std::uint32_t recordNumber, bool& isNull) const;
  [[noreturn]] void Damaged(const FieldInfo& field, std::uint32_t recordNumber) const;

  const TableHeader& header_;
  std::string tablePath_;
  std::function<const MemoFile&()> memos_;
};

}  // namespace zorva::dbase
