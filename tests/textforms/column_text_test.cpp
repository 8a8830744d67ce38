#include "textforms/column_text.h"

#include <gtest/gtest.h>

#include "textforms/program_text.h"

namespace zorva {
namespace {

ColumnValue Column(ColumnKind kind) {
  ColumnValue value;
  value.kind = kind;
  value.isNull = false;
  return value;
}

RegionalFormats SpanishFormats() {
  RegionalFormats formats;
  formats.DecimalMark = ',';
  formats.ShortDatePicture = "dd/mm/yyyy";
  formats.LongTimePicture = "hh:mm:ss";
  return formats;
}

TEST(ColumnTextTest, NullColumnOfAnyKindIsEmpty) {
  for (int kind = 0; kind <= static_cast<int>(ColumnKind::Bytes); ++kind) {
    ColumnValue value;
    value.kind = static_cast<ColumnKind>(kind);
    value.text = "x";
    value.number = 1;
    value.integer = 1;
    EXPECT_EQ(ColumnText(value, SpanishFormats()), "") << kind;
    std::string room = "earlier";
    EXPECT_EQ(ColumnText(value, SpanishFormats(), room), "") << kind;
  }
}

TEST(ColumnTextTest, EachKindTakesItsForm) {
  const RegionalFormats formats = SpanishFormats();
  // Both forms; the second into a string that held an earlier, longer text.
  auto text = [&](const ColumnValue& v) {
    std::string room = "an earlier text, longer than any of these";
    const std::string made(ColumnText(v, formats, room));
    EXPECT_EQ(made, ColumnText(v, formats));
    return made;
  };

  ColumnValue character = Column(ColumnKind::Character);
  character.text = "  Aula 1  ";
  EXPECT_EQ(text(character), "  Aula 1  ");  // blanks as delivered

  ColumnValue number = Column(ColumnKind::Float);
  number.number = 0.5;
  EXPECT_EQ(text(number), "0,5");
  number.kind = ColumnKind::Money;
  number.number = 1;
  EXPECT_EQ(text(number), "1");

  ColumnValue integer = Column(ColumnKind::Int64);
  integer.integer = -9000000000;
  EXPECT_EQ(text(integer), "-9000000000");
  integer.kind = ColumnKind::UInt16;
  integer.integer = 65535;
  EXPECT_EQ(text(integer), "65535");

  ColumnValue bcd = Column(ColumnKind::Bcd);
  bcd.integer = 125000;
  EXPECT_EQ(text(bcd), "12,5");

  ColumnValue logical = Column(ColumnKind::Logical);
  logical.logical = true;
  EXPECT_EQ(text(logical), "Verdadero");
  logical.logical = false;
  EXPECT_EQ(text(logical), "Falso");

  ColumnValue date = Column(ColumnKind::Date);
  date.moment = {2007, 3, 5, 0, 0, 0, 0};
  EXPECT_EQ(text(date), "05/03/2007");

  ColumnValue time = Column(ColumnKind::Time);
  time.moment = {0, 0, 0, 9, 7, 3, 0};
  EXPECT_EQ(text(time), "09:07:03");

  ColumnValue moment = Column(ColumnKind::DateTime);
  moment.moment = {2007, 3, 5, 9, 7, 3, 0};
  EXPECT_EQ(text(moment), "05/03/2007 09:07:03");
  moment.moment = {2007, 3, 5, 0, 0, 0, 0};
  EXPECT_EQ(text(moment), "05/03/2007");

  // Stored bytes are text in the ANSI code page, 1252 under the Spanish
  // locale: the same letters on every build.
  ColumnValue bytes = Column(ColumnKind::Bytes);
  bytes.text = std::string("\x01\xFF", 2);
  EXPECT_EQ(text(bytes), ProgramTextFromUtf8("\x01ÿ"));
  bytes.text = "A\xF1o \x80\x81";
  EXPECT_EQ(text(bytes), ProgramTextFromUtf8("Año €"
                                             "\xC2\x81"));
}

}  // namespace
}  // namespace zorva
