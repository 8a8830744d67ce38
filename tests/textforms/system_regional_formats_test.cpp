// The settings that LoadRegionalFormats reads from the system under the
// locale of the test's environment: the thread's locale under Wine, the POSIX
// locale natively.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "textforms/column_text.h"
#include "textforms/program_text.h"
#include "textforms/regional_formats.h"

namespace zorva {
namespace {

struct Expected {
  char decimalMark;
  char dateMark;
  char timeMark;
  const char* shortDatePicture;
  const char* longTimePicture;
  const char* shortTimePicture;
  const char* longDatePicture;
  const char* amText;
  const char* januaryLong;  // UTF-8
  const char* wednesdayLong;
  const char* sundayShort;
  const char* moment;  // 5 March 2007 at 21:07:03 with picture "c"
};

#ifdef _WIN32
// Wine's Spanish morning text has a narrow no-break space, which code page
// 1252 lacks.
const Expected kSpanish{
    ',',          '/',     ':',         "d/M/yyyy", "h:mm:ss",          "h:mm", "dddd, d 'de' MMMM 'de' yyyy",
    "a.\u202Fm.", "enero", "miércoles", "dom",      "5/3/2007 21:07:03"};
const Expected kEnglish{
    '.',  '/',       ':',         "M/d/yyyy", "h:mm:ss AMPM",       "h:mm AMPM", "dddd, MMMM d, yyyy",
    "AM", "January", "Wednesday", "Sun",      "3/5/2007 9:07:03 PM"};
#else
const Expected kSpanish{',', '/',     ':',         "dd/mm/yy", "hh:mm:ss",         "hh:mm", "mmmm d, yyyy",
                        "",  "enero", "miércoles", "dom",      "05/03/07 21:07:03"};
const Expected kEnglish{
    '.',  '/',       ':',         "mm/dd/yyyy", "hh:mm:ss AMPM",         "hh:mm AMPM", "mmmm d, yyyy",
    "AM", "January", "Wednesday", "Sun",        "03/05/2007 09:07:03 PM"};
#endif

const Expected& ForTheLocale() {
  const char* locale = std::getenv("LC_ALL");
  return locale && std::string(locale).starts_with("en_US") ? kEnglish : kSpanish;
}

TEST(SystemRegionalFormatsTest, ReadsTheUsersLocale) {
  LoadRegionalFormats();
  const RegionalFormats& formats = CurrentRegionalFormats();
  const Expected& expected = ForTheLocale();
  EXPECT_EQ(formats.DecimalMark, expected.decimalMark);
  EXPECT_EQ(formats.DateMark, expected.dateMark);
  EXPECT_EQ(formats.TimeMark, expected.timeMark);
  EXPECT_EQ(formats.ShortDatePicture, expected.shortDatePicture);
  EXPECT_EQ(formats.LongTimePicture, expected.longTimePicture);
  EXPECT_EQ(formats.ShortTimePicture, expected.shortTimePicture);
  EXPECT_EQ(formats.LongDatePicture, expected.longDatePicture);
  EXPECT_EQ(formats.AmText, ProgramTextFromUtf8(expected.amText));
  EXPECT_EQ(formats.MonthLongNames[0], ProgramTextFromUtf8(expected.januaryLong));
  EXPECT_EQ(formats.DayLongNames[3], ProgramTextFromUtf8(expected.wednesdayLong));
  EXPECT_EQ(formats.DayShortNames[0], ProgramTextFromUtf8(expected.sundayShort));
  EXPECT_EQ(PictureText("c", {2007, 3, 5, 21, 7, 3, 0}, formats), expected.moment);
  EXPECT_EQ(GeneralNumberText(2.5, formats.DecimalMark), std::string("2") + expected.decimalMark + "5");
}

TEST(SystemRegionalFormatsTest, RefillGivesTheSameSettings) {
  LoadRegionalFormats();
  const RegionalFormats first = CurrentRegionalFormats();
  ReloadRegionalFormats();
  EXPECT_EQ(CurrentRegionalFormats().ShortDatePicture, first.ShortDatePicture);
  EXPECT_EQ(CurrentRegionalFormats().DayLongNames, first.DayLongNames);
}

}  // namespace
}  // namespace zorva
