#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "textforms/column_text.h"
#include "textforms/failure.h"
#include "textforms/program_text.h"

namespace zorva {
namespace {

ColumnValue Column(ColumnKind kind) {
  ColumnValue value;
  value.fieldName = "MAXALUM";
  value.kind = kind;
  value.isNull = false;
  return value;
}

ColumnValue Number(double n) {
  ColumnValue value = Column(ColumnKind::Float);
  value.number = n;
  return value;
}

ColumnValue Text(const char* text) {
  ColumnValue value = Column(ColumnKind::Character);
  value.text = text;
  return value;
}

std::string FailureOf(const ColumnValue& value) {
  try {
    ColumnInteger(value);
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.kind(), FailureKind::Conversion);
    return failure.text();
  }
  return "no failure";
}

TEST(ColumnIntegerTest, RoundsHalfToEven) {
  const std::pair<double, std::int32_t> cases[] = {
      {30.5, 30},
      {31.5, 32},
      {-2.5, -2},
      {-0.5, 0},
      {40, 40},
      {0.49999999999999994, 0},
      {2.5000001, 3},
      {4294967296.0 + 7, 7},  // the low 32 bits of the 64-bit integer
      {-1e18, static_cast<std::int32_t>(
                  static_cast<std::uint32_t>(static_cast<std::uint64_t>(-1000000000000000000)))},
  };
  for (const auto& [n, expected] : cases) EXPECT_EQ(ColumnInteger(Number(n)), expected) << n;

  ColumnValue bcd = Column(ColumnKind::Bcd);
  const std::pair<std::int64_t, std::int32_t> bcdCases[] = {
      {305000, 30}, {315000, 32}, {-25000, -2}, {-5000, 0}, {5001, 1}, {-15001, -2}, {400000, 40}};
  for (const auto& [tenThousandths, expected] : bcdCases) {
    bcd.integer = tenThousandths;
    EXPECT_EQ(ColumnInteger(bcd), expected) << tenThousandths;
  }
}

TEST(ColumnIntegerTest, NullNumbersAreZero) {
  for (ColumnKind kind : {ColumnKind::Float, ColumnKind::Money, ColumnKind::Int16, ColumnKind::UInt16,
                          ColumnKind::Int32, ColumnKind::AutoInc, ColumnKind::Int64, ColumnKind::Bcd}) {
    ColumnValue value = Column(kind);
    value.isNull = true;
    value.number = 5;
    value.integer = 5;
    EXPECT_EQ(ColumnInteger(value), 0);
  }
}

TEST(ColumnIntegerTest, IntegersGiveTheirLow32Bits) {
  ColumnValue value = Column(ColumnKind::Int64);
  value.integer = 0x100000005;
  EXPECT_EQ(ColumnInteger(value), 5);
  value.kind = ColumnKind::Int16;
  value.integer = -7;
  EXPECT_EQ(ColumnInteger(value), -7);
}

TEST(ColumnIntegerTest, FloatsBeyondA64BitIntegerAreInvalidOperations) {
  const std::string invalid = ProgramTextFromUtf8("Operación de punto flotante inválida");
  for (double n :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), 9223372036854775808.0, -9223372036854777856.0, 1e300})
    EXPECT_EQ(FailureOf(Number(n)), invalid) << n;
  EXPECT_EQ(ColumnInteger(Number(-9223372036854775808.0)), 0);
}

TEST(ColumnIntegerTest, ReadsCharacterColumnsAsWholeNumbers) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"25", 25},
      {"  -12", -12},
      {"+7", 7},
      {"$1F", 31},
      {"x10", 16},
      {"X10", 16},
      {"0x10", 16},
      {"0XfF", 255},
      {"-$10", -16},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"$FFFFFFFF", -1},
      {"007", 7},
      {"0", 0},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ColumnInteger(Text(text)), expected) << text;
}

TEST(ColumnIntegerTest, TextThatIsNoWholeNumberNamesItself) {
  for (const char* text : {"", " ", "12 ", "1.5", "abc", "2147483648", "-2147483649", "$100000000", "$", "0x",
                           "- 1", "1e3", "\t5"})
    EXPECT_EQ(FailureOf(Text(text)),
              "'" + std::string(text) + ProgramTextFromUtf8("' no es un valor entero válido"))
        << text;
  ColumnValue null = Text("99");
  null.isNull = true;
  EXPECT_EQ(FailureOf(null), ProgramTextFromUtf8("'' no es un valor entero válido"));
}

TEST(ColumnIntegerTest, OtherKindsCannotBeReadAsIntegers) {
  for (ColumnKind kind : {ColumnKind::Logical, ColumnKind::Date, ColumnKind::Time, ColumnKind::DateTime,
                          ColumnKind::Memo, ColumnKind::Bytes})
    EXPECT_EQ(FailureOf(Column(kind)), "No se puede acceder el campo 'MAXALUM' como tipo Integer");
}

}  // namespace
}  // namespace zorva
