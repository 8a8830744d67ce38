#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "textforms/column_text.h"
#include "textforms/locale_items.h"
#include "textforms/program_text.h"
#include "textforms/regional_formats.h"

namespace zorva {
namespace {

// Items as a locale would hold them; a missing item cannot be read.
class FakeLocaleItems final : public LocaleItemSource {
 public:
  std::map<std::pair<LocaleItem, int>, std::string> items;
  std::string language = "es";

  std::optional<std::string> Item(LocaleItem item, int index, std::size_t room) override {
    const auto found = items.find({item, index});
    if (found == items.end() || found->second.size() > room) return std::nullopt;
    return found->second;
  }
  std::string Language() override { return language; }
};

// American pictures and marks, Spanish names.
TEST(RegionalFormatsTest, MissingItemsGiveTheDefaults) {
  FakeLocaleItems none;
  const RegionalFormats formats = ReadRegionalFormats(none);
  EXPECT_EQ(GeneralNumberText(2.5, formats.DecimalMark), "2.5");
  const DateTime wednesday{2007, 3, 7, 15, 4, 5, 0};
  EXPECT_EQ(PictureText("c|t|dddddd|ddd dddd mmm|AMPM", wednesday, formats),
            ProgramTextFromUtf8("3/7/07 3:04:05 pm|3:04 pm|Marzo 7, 2007|Mie Miércoles Mar|pm"));
  const DateTime saturday{2007, 12, 1, 9, 0, 0, 0};
  EXPECT_EQ(PictureText("dddd ddd mmmm mmm AMPM", saturday, formats),
            ProgramTextFromUtf8("Sábado Sab Diciembre Dic am"));
  EXPECT_EQ(PictureText("dddd ddd mmmm mmm", {2007, 1, 7, 0, 0, 0, 0}, formats), "Domingo Dom Enero Ene");
}

TEST(RegionalFormatsTest, ReadsTheItemsOfTheLocale) {
  FakeLocaleItems spanish;
  spanish.items = {
      {{LocaleItem::DecimalMark, 0}, ","},
      {{LocaleItem::DateMark, 0}, "-"},
      {{LocaleItem::TimeMark, 0}, "."},
      {{LocaleItem::ShortDatePicture, 0}, "dd-MM-yyyy"},
      {{LocaleItem::LongDatePicture, 0}, "dddd, d' de 'MMMM' de 'yyyy"},
      {{LocaleItem::ClockKind, 0}, "1"},
      {{LocaleItem::HourLeadingZero, 0}, "1"},
      {{LocaleItem::AmText, 0}, ""},
      {{LocaleItem::PmText, 0}, "PM"},
      {{LocaleItem::MonthShortName, 1}, "ene."},
      {{LocaleItem::MonthLongName, 12}, "diciembre"},
      {{LocaleItem::DayShortName, 7}, "dom."},
      {{LocaleItem::DayLongName, 1}, "lunes"},
      {{LocaleItem::DayLongName, 2}, ""},  // an empty name keeps the default
  };
  const RegionalFormats formats = ReadRegionalFormats(spanish);
  EXPECT_EQ(formats.DecimalMark, ',');
  EXPECT_EQ(formats.DateMark, '-');
  EXPECT_EQ(formats.TimeMark, '.');
  EXPECT_EQ(formats.ShortDatePicture, "dd-MM-yyyy");
  EXPECT_EQ(formats.LongDatePicture, "dddd, d' de 'MMMM' de 'yyyy");
  EXPECT_EQ(formats.ShortTimePicture, "hh:mm");
  EXPECT_EQ(formats.LongTimePicture, "hh:mm:ss");
  EXPECT_EQ(formats.AmText, "");
  EXPECT_EQ(formats.PmText, "PM");
  EXPECT_EQ(formats.MonthShortNames[0], "ene.");
  EXPECT_EQ(formats.MonthShortNames[1], "Feb");
  EXPECT_EQ(formats.MonthLongNames[11], "diciembre");
  EXPECT_EQ(formats.DayShortNames[0], "dom.");  // the locale's seventh day is Sunday
  EXPECT_EQ(formats.DayLongNames[1], "lunes");
  EXPECT_EQ(formats.DayLongNames[2], "Martes");
}

TEST(RegionalFormatsTest, CharacterItemsTakeOneCharacterOrNone) {
  FakeLocaleItems items;
  items.items = {
      {{LocaleItem::DecimalMark, 0}, ",,"}, {{LocaleItem::DateMark, 0}, ""}, {{LocaleItem::TimeMark, 0}, ""}};
  const RegionalFormats formats = ReadRegionalFormats(items);
  EXPECT_EQ(formats.DecimalMark, '.');  // too long: the default
  EXPECT_EQ(formats.DateMark, '\0');    // empty: no separator at all
  EXPECT_EQ(formats.TimeMark, '\0');
  items.items = {{{LocaleItem::DecimalMark, 0}, ""}};
  EXPECT_EQ(ReadRegionalFormats(items).DecimalMark, '.');  // a number always keeps a decimal mark
}

TEST(RegionalFormatsTest, BuildsTimePicturesFromTheClockItems) {
  struct Case {
    const char* clockKind;
    const char* leadingZero;
    const char* amPmFirst;
    const char* shortPicture;
    const char* longPicture;
  };
  const Case cases[] = {
      {"0", "0", "0", "h:mm AMPM", "h:mm:ss AMPM"},
      {"0", "1", "0", "hh:mm AMPM", "hh:mm:ss AMPM"},
      {"0", "0", "1", "AMPM h:mm", "AMPM h:mm:ss"},
      {"1", "0", "1", "h:mm", "h:mm:ss"},
      {"1", "1", "0", "hh:mm", "hh:mm:ss"},
      {"x", "one", "", "h:mm AMPM", "h:mm:ss AMPM"},  // not numbers: the defaults
      {" 2", "$1", "0", "hh:mm", "hh:mm:ss"},
  };
  for (const Case& c : cases) {
    FakeLocaleItems items;
    items.items = {{{LocaleItem::ClockKind, 0}, c.clockKind},
                   {{LocaleItem::HourLeadingZero, 0}, c.leadingZero},
                   {{LocaleItem::AmPmFirst, 0}, c.amPmFirst}};
    const RegionalFormats formats = ReadRegionalFormats(items);
    EXPECT_EQ(formats.ShortTimePicture, c.shortPicture) << c.clockKind << c.leadingZero << c.amPmFirst;
    EXPECT_EQ(formats.LongTimePicture, c.longPicture) << c.clockKind << c.leadingZero << c.amPmFirst;
  }
}

TEST(RegionalFormatsTest, TranslatesDatePicturesForEraCalendars) {
  struct Case {
    const char* picture;
    int calendarType;
    bool cjk;
    const char* translated;
  };
  const Case cases[] = {
      {"gg y/M/d", 3, true, "ggg e/M/d"}, {"yyyy/MM/dd", 4, true, "eeee/MM/dd"},
      {"YY-mm", 5, true, "ee-mm"},        {"yyy", 3, false, "eee"},  // yy, then a single y
      {"'Gy' g", 3, false, "'Ge' g"},     {"gg yyyy", 1, true, " yyyy"},
      {"Gg/yy", 2, true, "/yy"},          {"gg yyyy", 1, false, "gg yyyy"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TranslateDatePicture(c.picture, c.calendarType, c.cjk), c.translated) << c.picture;
}

TEST(RegionalFormatsTest, CalendarTypeAndLanguageComeFromTheLocale) {
  FakeLocaleItems japanese;
  japanese.language = "ja";
  japanese.items = {{{LocaleItem::CalendarType, 0}, "3"}, {{LocaleItem::ShortDatePicture, 0}, "gg yy/MM/dd"}};
  EXPECT_EQ(ReadRegionalFormats(japanese).ShortDatePicture, "ggg ee/MM/dd");
  japanese.items.erase({LocaleItem::CalendarType, 0});
  EXPECT_EQ(ReadRegionalFormats(japanese).ShortDatePicture, " yy/MM/dd");
}

}  // namespace
}  // namespace zorva
