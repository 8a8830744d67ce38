#include "export/dbase/field_values.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <string_view>

#include "export/dbase/byte_order.h"
#include "export/dbase/engine_failure.h"
#include "export/dbase/language_drivers.h"

namespace zorva::dbase {
namespace {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
constexpr std::int64_t kJulianDayOfYearOne = 1'721'426;  // 1 January of the year 1
constexpr std::int64_t kJulianDayOfYear9999End = 5'373'484;
constexpr std::uint64_t kSignBit64 = 0x8000'0000'0000'0000;

std::string_view AsText(std::span<const unsigned char> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

bool IsBlank(char c) { return c == ' ' || c == '\0'; }

std::string_view TrimmedBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool AllZero(std::span<const unsigned char> bytes) {
  return std::ranges::all_of(bytes, [](unsigned char b) { return b == 0; });
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// The Gregorian date of a Julian day number.
DateTime DateOfJulianDay(std::int64_t julianDay) {
  const std::int64_t a = julianDay + 32044;
  const std::int64_t b = (4 * a + 3) / 146097;
  const std::int64_t c = a - 146097 * b / 4;
  const std::int64_t d = (4 * c + 3) / 1461;
  const std::int64_t e = c - 1461 * d / 4;
  const std::int64_t m = (5 * e + 2) / 153;
  DateTime moment;
  moment.day = static_cast<int>(e - (153 * m + 2) / 5 + 1);
  moment.month = static_cast<int>(m + 3 - 12 * (m / 10));
  moment.year = static_cast<int>(100 * b + d - 4800 + m / 10);
  return moment;
}

void SetTimeOfDay(DateTime& moment, std::int64_t milliseconds) {
  moment.hour = static_cast<int>(milliseconds / 3'600'000);
  moment.minute = static_cast<int>(milliseconds / 60'000 % 60);
  moment.second = static_cast<int>(milliseconds / 1000 % 60);
  moment.millisecond = static_cast<int>(milliseconds % 1000);
}

// A number written in ASCII: blanks around it, an optional sign, digits with
// an optional decimal point and exponent.
std::optional<double> ParseNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // A digit or the decimal point must come first: the general reading below
  // would also take "nan", "inf" and "infinity".
  if (text.empty() || !(text.front() == '.' || (text.front() >= '0' && text.front() <= '9')))
    return std::nullopt;
  // Most numbers of a timetable are a few digits: below 10^15 they are read
  // exactly as whole numbers, without the general reading of a decimal.
  if (text.size() <= 15 && AllDigits(text)) {
    std::int64_t whole = 0;
    for (char digit : text) whole = whole * 10 + (digit - '0');
    return negative ? -double(whole) : double(whole);
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

}  // namespace

FieldValues::FieldValues(const TableHeader& header, std::string tablePath,
                         std::function<const MemoFile&()> memos)
    : header_(header), tablePath_(std::move(tablePath)), memos_(std::move(memos)) {}

bool FieldValues::FlagBit(std::span<const unsigned char> record, int bit) const {
  if (bit < 0 || !header_.nullFlags) return false;
  const unsigned char flags = record[header_.nullFlags->offset + static_cast<std::size_t>(bit) / 8];
  return (flags >> (bit % 8) & 1) != 0;
}

void FieldValues::Damaged(const FieldInfo& field, std::uint32_t recordNumber) const {
  RaiseEngineFailure(EngineStatus::ValueDamaged,
                     {FieldContext(field.name), RecordContext(recordNumber), tablePath_});
}

std::string FieldValues::MemoBytes(const FieldInfo& field, std::span<const unsigned char> bytes,
                                   std::uint32_t recordNumber, bool& isNull) const {
  std::uint64_t block = 0;
  if (field.width == 4) {
    block = LittleEndian(bytes.data(), 4);
  } else {
    const std::string_view digits = TrimmedBlanks(AsText(bytes));
    if (!digits.empty() && !AllDigits(digits)) Damaged(field, recordNumber);
    for (char digit : digits) block = block * 10 + static_cast<unsigned>(digit - '0');
  }
  isNull = block == 0;
  if (isNull) return {};
  const std::string context[] = {FieldContext(field.name), RecordContext(recordNumber)};
  return memos_().Read(block, context, field.kind == ColumnKind::Memo);
}

ColumnValue FieldValues::Read(const FieldInfo& field, std::span<const unsigned char> record,
                              std::uint32_t recordNumber) const {
  ColumnValue value;
  Read(field, record, recordNumber, value);
  return value;
}

void FieldValues::Read(const FieldInfo& field, std::span<const unsigned char> record,
                       std::uint32_t recordNumber, ColumnValue& value) const {
  value.fieldName = field.name;
  value.kind = field.kind;
  value.isNull = true;
  value.text.clear();
  value.number = 0;
  value.integer = 0;
  value.logical = false;
  value.moment = {};
  if (FlagBit(record, field.nullBit)) return;

  const auto bytes = record.subspan(field.offset, field.width);
  const std::string_view text = AsText(bytes);
  switch (field.storage) {
    case FieldStorage::Text: {
      // Text ends at its first NUL; binary characters are taken whole.
      std::string_view stored = field.kind == ColumnKind::Bytes
                                    ? text
                                    : text.substr(0, std::ranges::find(text, '\0') - text.begin());
      // The classic reader gave a dBase character field without the blanks
      // that pad it to its width; leading blanks are the user's.
      while (!stored.empty() && stored.back() == ' ') stored.remove_suffix(1);
      DeliverText(field, stored, value);
      break;
    }
    case FieldStorage::Number: {
      const std::string_view digits = TrimmedBlanks(text);
      // A number too wide for its field is written as asterisks: no value.
      if (digits.empty() || digits.find_first_not_of('*') == std::string_view::npos) break;
      const auto number = ParseNumber(digits);
      if (!number) Damaged(field, recordNumber);
      value.number = *number;
      value.isNull = false;
      break;
    }
    default:
      ReadOther(field, record, recordNumber, value);
  }
}

void FieldValues::DeliverText(const FieldInfo& field, std::string_view stored, ColumnValue& value) const {
  if (field.kind == ColumnKind::Bytes)
    value.text.assign(stored);
  else
    ProgramTextOfTable(stored, header_.codePage, value.text);
  value.isNull = false;
}

void FieldValues::ReadOther(const FieldInfo& field, std::span<const unsigned char> record,
                            std::uint32_t recordNumber, ColumnValue& value) const {
  const auto bytes = record.subspan(field.offset, field.width);
  const std::string_view text = AsText(bytes);
  switch (field.storage) {
    case FieldStorage::Text:  // read by Read itself
    case FieldStorage::Number:
      break;
    case FieldStorage::VarText: {
      std::size_t length = bytes.size();
      if (FlagBit(record, field.lengthBit)) {
        length = bytes.back();
        if (length >= bytes.size()) Damaged(field, recordNumber);
      }
      DeliverText(field, text.substr(0, length), value);
      break;
    }
    case FieldStorage::Date: {
      if (TrimmedBlanks(text).empty() || text == "00000000") break;
      if (!AllDigits(text)) Damaged(field, recordNumber);
      const auto number = [&text](std::size_t at, std::size_t count) {
        int n = 0;
        for (char digit : text.substr(at, count)) n = n * 10 + (digit - '0');
        return n;
      };
      const int year = number(0, 4), month = number(4, 2), day = number(6, 2);
      if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        Damaged(field, recordNumber);
      value.moment = {year, month, day};
      value.isNull = false;
      break;
    }
    case FieldStorage::Logical: {
      constexpr std::string_view kTrue = "TtYy", kFalse = "FfNn", kUnknown{" ?\0", 3};
      const char c = text[0];
      if (kUnknown.find(c) != std::string_view::npos) break;
      if (kTrue.find(c) == std::string_view::npos && kFalse.find(c) == std::string_view::npos)
        Damaged(field, recordNumber);
      value.logical = kTrue.find(c) != std::string_view::npos;
      value.isNull = false;
      break;
    }
    case FieldStorage::MemoBlock: {
      bool isNull = true;
      std::string stored = MemoBytes(field, bytes, recordNumber, isNull);
      if (!isNull) DeliverText(field, stored, value);
      break;
    }
    case FieldStorage::Int32:
      value.integer = static_cast<std::int32_t>(LittleEndian(bytes.data(), 4));
      value.isNull = false;
      break;
    case FieldStorage::Int32Ordered:
      if (AllZero(bytes)) break;
      value.integer = static_cast<std::int32_t>(BigEndian(bytes.data(), 4) ^ 0x8000'0000u);
      value.isNull = false;
      break;
    case FieldStorage::Double:
      value.number = std::bit_cast<double>(LittleEndian(bytes.data(), 8));
      value.isNull = false;
      break;
    case FieldStorage::DoubleOrdered: {
      if (AllZero(bytes)) break;
      const std::uint64_t stored = BigEndian(bytes.data(), 8);
      // Positive numbers have their sign bit set, negative ones all bits inverted.
      value.number = std::bit_cast<double>(stored & kSignBit64 ? stored & ~kSignBit64 : ~stored);
      value.isNull = false;
      break;
    }
    case FieldStorage::Currency:
      value.number = static_cast<double>(static_cast<std::int64_t>(LittleEndian(bytes.data(), 8))) / 10000.0;
      value.isNull = false;
      break;
    case FieldStorage::JulianDateTime: {
      if (AllZero(bytes) || TrimmedBlanks(text).empty()) break;
      const auto julianDay = static_cast<std::int32_t>(LittleEndian(bytes.data(), 4));
      const auto milliseconds = static_cast<std::int32_t>(LittleEndian(bytes.data() + 4, 4));
      if (julianDay < kJulianDayOfYearOne || julianDay > kJulianDayOfYear9999End || milliseconds < 0 ||
          milliseconds >= kMillisecondsPerDay)
        Damaged(field, recordNumber);
      value.moment = DateOfJulianDay(julianDay);
      SetTimeOfDay(value.moment, milliseconds);
      value.isNull = false;
      break;
    }
    case FieldStorage::Timestamp: {
      if (AllZero(bytes)) break;
      std::uint64_t stored = BigEndian(bytes.data(), 8);
      // Written as a plain big-endian number, or with the sign bit flipped
      // like level 7's other numbers: a timestamp is never negative.
      stored &= ~kSignBit64;
      const double milliseconds = std::round(std::bit_cast<double>(stored));
      if (!(milliseconds >= double(kMillisecondsPerDay)) ||
          milliseconds >= double(kJulianDayOfYear9999End - kJulianDayOfYearOne + 2) * kMillisecondsPerDay)
        Damaged(field, recordNumber);
      const auto total = static_cast<std::int64_t>(milliseconds);
      // Day 1 is 1 January of the year 1.
      value.moment = DateOfJulianDay(total / kMillisecondsPerDay - 1 + kJulianDayOfYearOne);
      SetTimeOfDay(value.moment, total % kMillisecondsPerDay);
      value.isNull = false;
      break;
    }
  }
}

}  // namespace zorva::dbase
