#include "textforms/posix_time_formats.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(PosixTimeFormatsTest, FormatsBecomePicturesAndMarks) {
  struct Case {
    const char* format;
    const char* picture;
    const char* separator;
  };
  const Case cases[] = {
      {"%d/%m/%y", "dd/mm/yy", "/"},
      {"%m/%d/%Y", "mm/dd/yyyy", "/"},
      {"%d.%m.%Y", "dd.mm.yyyy", "."},
      {"%D", "mm/dd/yy", "/"},
      {"%F", "yyyy-mm-dd", "-"},
      {"%e de %B de %Y", "d\" de \"mmmm\" de \"yyyy", " "},
      {"%a %-d %b", "ddd d mmm", " "},
      {"%Ey/%Om", "yy/mm", "/"},
      {"%Y\xE5\xB9\xB4%m", "yyyy\xE5\xB9\xB4mm", "\xE5"},
      {"%T", "hh:nn:ss", ":"},
      {"%r", "hh:nn:ss ampm", ":"},
      {"%H.%M", "hh.nn", "."},
      {"%j%%x's", "\"%x's\"", "%"},
      {"%d%m", "ddmm", ""},
  };
  for (const Case& c : cases) {
    const std::string expanded = ExpandTimeFormat(c.format, "%I:%M:%S %p");
    EXPECT_EQ(PictureOfFormat(expanded), c.picture) << c.format;
    EXPECT_EQ(SeparatorOfFormat(expanded), c.separator) << c.format;
  }
}

TEST(PosixTimeFormatsTest, ClockItemsFollowTheHourConversion) {
  struct Case {
    const char* format;
    const char* clockKind;
    const char* leadingZero;
    const char* amPmFirst;
  };
  const Case cases[] = {
      {"%H:%M:%S", "1", "1", "0"}, {"%k:%M", "1", "0", "0"},  {"%I:%M:%S %p", "0", "1", "0"},
      {"%p %l:%M", "0", "0", "1"}, {"%-H:%M", "1", "0", "0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClockItemOfFormat(LocaleItem::ClockKind, c.format), c.clockKind) << c.format;
    EXPECT_EQ(ClockItemOfFormat(LocaleItem::HourLeadingZero, c.format), c.leadingZero) << c.format;
    EXPECT_EQ(ClockItemOfFormat(LocaleItem::AmPmFirst, c.format), c.amPmFirst) << c.format;
  }
  EXPECT_EQ(ClockItemOfFormat(LocaleItem::ClockKind, "%d/%m"), std::nullopt);
}

}  // namespace
}  // namespace zorva
