#include <gtest/gtest.h>

#include <string>

#include "textforms/column_text.h"
#include "textforms/program_text.h"

namespace zorva {
namespace {

// 5 March 2007, a Monday, 9:07:03.045 in the morning.
constexpr DateTime kMorning{2007, 3, 5, 9, 7, 3, 45};

struct PictureCase {
  const char* picture;
  const char* text;  // UTF-8
};

void ExpectPictures(const RegionalFormats& formats, const DateTime& moment,
                    std::initializer_list<PictureCase> cases) {
  for (const PictureCase& c : cases)
    EXPECT_EQ(PictureText(c.picture, moment, formats), ProgramTextFromUtf8(c.text)) << c.picture;
}

TEST(PictureTextTest, RendersEveryElement) {
  RegionalFormats formats;
  formats.ShortDatePicture = "dd/mm/yyyy";
  formats.LongDatePicture = "dddd, d 'de' mmmm 'de' yyyy";
  formats.ShortTimePicture = "hh:mm";
  formats.LongTimePicture = "hh:mm:ss";
  ExpectPictures(formats, kMorning,
                 {
                     {"dd/MM/yyyy", "05/03/2007"},
                     {"h:mm:ss", "9:07:03"},
                     {"M/d/yyyy", "3/5/2007"},
                     {"dddd d 'de' mmmm", "Lunes 5 de Marzo"},
                     {"d dd ddd dddd", "5 05 Lun Lunes"},
                     {"ddddd", "05/03/2007"},
                     {"dddddd", "Lunes, 5 de Marzo de 2007"},
                     {"m mm mmm mmmm mmmmm", "3 03 Mar Marzo Marzo"},
                     {"y yy yyy yyyy", "07 07 2007 2007"},
                     {"h hh hhh", "9 09 09"},
                     {"n nn nnn s ss sss", "7 07 07 3 03 03"},
                     {"z zz zzz zzzz", "45 45 045 045"},
                     {"t|tt", "09:07|09:07:03"},
                     {"c", "05/03/2007 09:07:03"},
                     {"aaa aaaa", "Lun Lunes"},
                     {"a b x", "a b x"},
                     {"'dd' \"mm\" 'a\"b'", "dd mm a\"b"},
                     {"'open", "open"},
                     {"DD/mm", "05/03"},
                     {"hh:nn", "09:07"},
                     {"hh 'x' mm", "09 x 07"},
                     {"hh x mm", "09 x 03"},  // the last letter is x: a month
                     {"h:mmm", "9:Mar"},
                     {"Ee", "77"},  // two elements: a letter's case starts a new run
                     {"", ""},
                 });
}

TEST(PictureTextTest, MarksFollowTheSettings) {
  RegionalFormats formats;
  ExpectPictures(formats, kMorning, {{"dd/MM/yyyy", "05/03/2007"}, {"hh:nn:ss", "09:07:03"}});
  formats.DateMark = '-';
  formats.TimeMark = '.';
  ExpectPictures(formats, kMorning, {{"dd/MM/yyyy", "05-03-2007"}, {"hh:nn:ss", "09.07.03"}});
  formats.DateMark = '\0';
  formats.TimeMark = '\0';
  ExpectPictures(formats, kMorning, {{"dd/MM/yyyy", "05032007"}, {"hh:nn:ss", "090703"}});
}

TEST(PictureTextTest, TwelveHourClockWhereAnAmPmElementGoes) {
  RegionalFormats formats;
  formats.AmText = "a.m.";
  formats.PmText = "p.m.";
  struct Case {
    int hour;
    const char* ampm;
    const char* amPmSlash;
    const char* aSlashP;
  };
  const Case cases[] = {
      {0, "12 a.m.", "12 AM", "12 a"},  {9, "09 a.m.", "09 AM", "09 a"},  {12, "12 p.m.", "12 PM", "12 P"},
      {13, "01 p.m.", "01 PM", "01 P"}, {23, "11 p.m.", "11 PM", "11 P"},
  };
  for (const Case& c : cases) {
    const DateTime moment{2007, 3, 5, c.hour, 0, 0, 0};
    ExpectPictures(formats, moment, {{"hh AMPM", c.ampm}, {"hh AM/PM", c.amPmSlash}, {"hh a/P", c.aSlashP}});
  }
  const DateTime evening{2007, 3, 5, 21, 5, 0, 0};
  ExpectPictures(formats, evening,
                 {
                     {"ampm h", "p.m. 9"},           // an am/pm element before the hour
                     {"h 'am/pm'", "21 am/pm"},      // quoted text is no element
                     {"h h ampm", "21 9 p.m."},      // the look-ahead stops at the next h
                     {"h aaa ampm", "21 Lun p.m."},  // the first a ahead decides
                     {"h \"a\" x a/p", "9 a x p"},
                 });
}

TEST(PictureTextTest, PicturesRenderedInPlaceAreOneLevelDeep) {
  RegionalFormats formats;
  formats.ShortDatePicture = "dd/mm/yyyy ddddd|t|tt|c";
  formats.LongTimePicture = "hh:nn:ss c";
  ExpectPictures(formats, kMorning, {{"C", "05/03/2007 ||| 09:07:03 "}, {"ddddd", "05/03/2007 |||"}});
}

TEST(PictureTextTest, TimeWithoutDateCountsFromTheLastDaysOf1899) {
  const RegionalFormats formats;
  ExpectPictures(formats, {0, 0, 0, 10, 30, 0, 0}, {{"dd/mm/yyyy dddd hh:nn", "30/12/1899 Sábado 10:30"}});
}

TEST(PictureTextTest, CutsAt256Characters) {
  const RegionalFormats formats;
  EXPECT_EQ(PictureText(std::string(300, 'x'), kMorning, formats), std::string(256, 'x'));
  EXPECT_EQ(PictureText(std::string(100, 'c'), kMorning, formats), "3/5/07 9:07:03 am");
  std::string manyDates;
  for (int i = 0; i < 40; ++i) manyDates += "dddd|";  // 40 x "Lunes|" = 240 characters
  manyDates += "'" + std::string(100, 'y') + "'";
  const std::string text = PictureText(manyDates, kMorning, formats);
  EXPECT_EQ(text.size(), 256u);
  EXPECT_EQ(text.substr(240), std::string(16, 'y'));
}

TEST(PictureTextTest, CutNeverSplitsACharacter) {
  const RegionalFormats formats;
  const std::string n = ProgramTextFromUtf8("ñ");
  std::string picture = "'" + std::string(255, 'x');
  for (int i = 0; i < 10; ++i) picture += n;
  const std::string text = PictureText(picture + "'", kMorning, formats);
  EXPECT_EQ(text.substr(0, 255), std::string(255, 'x'));
  EXPECT_EQ(text.size(), n.size() == 1 ? 256u : 255u);
}

TEST(PictureTextTest, EraYearFollowsTheGregorianYearOutsideEraCalendars) {
  const RegionalFormats formats;
  EXPECT_EQ(PictureText("eeee", kMorning, formats), "2007");
  EXPECT_EQ(PictureText("ee", kMorning, formats), "07");
  EXPECT_EQ(PictureText("e", kMorning, formats), "7");
}

}  // namespace
}  // namespace zorva
