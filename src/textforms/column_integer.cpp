#include <cmath>
#include <cstdint>

#include "textforms/column_text.h"
#include "textforms/failure.h"
#include "textforms/failure_texts.h"
#include "textforms/whole_number.h"

namespace zorva {
namespace {

[[noreturn]] void Fail(FailureText text, std::initializer_list<FailureArgument> args = {}) {
  throw Failure(FailureKind::Conversion, ComposeFailureText(text, args));
}

std::int32_t LowBits(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// Halves go to the even neighbour; a value past the 64-bit integers is an
// invalid floating-point operation, as the processor's conversion reports it.
std::int64_t RoundedToInteger(double value) {
  constexpr double kTwoTo63 = 9223372036854775808.0;
  const double rounded = std::isfinite(value) ? value - std::remainder(value, 1.0) : value;
  if (!(rounded >= -kTwoTo63 && rounded < kTwoTo63)) Fail(FailureText::InvalidFloatOperation);
  return static_cast<std::int64_t>(rounded);
}

std::int64_t RoundedTenThousandths(std::int64_t tenThousandths) {
  std::int64_t whole = tenThousandths / 10000;
  const std::int64_t rest = tenThousandths % 10000;
  const std::int64_t away = rest < 0 ? -1 : 1;
  if (std::llabs(rest) > 5000 || (std::llabs(rest) == 5000 && whole % 2 != 0)) whole += away;
  return whole;
}

}  // namespace

std::int32_t ColumnInteger(const ColumnValue& value) {
  switch (value.kind) {
    case ColumnKind::Float:
    case ColumnKind::Money:
      return value.isNull ? 0 : LowBits(RoundedToInteger(value.number));
    case ColumnKind::Int16:
    case ColumnKind::UInt16:
    case ColumnKind::Int32:
    case ColumnKind::AutoInc:
    case ColumnKind::Int64:
      return value.isNull ? 0 : LowBits(value.integer);
    case ColumnKind::Bcd:
      return value.isNull ? 0 : LowBits(RoundedTenThousandths(value.integer));
    case ColumnKind::Character: {
      const std::string text = value.isNull ? std::string() : value.text;
      if (const auto number = ReadWholeNumber(text)) return *number;
      Fail(FailureText::InvalidInteger, {text});
    }
    case ColumnKind::Logical:
    case ColumnKind::Date:
    case ColumnKind::Time:
    case ColumnKind::DateTime:
    case ColumnKind::Memo:
    case ColumnKind::Bytes:
      break;
  }
  Fail(FailureText::FieldAccess, {value.fieldName, "Integer"});
}

}  // namespace zorva
