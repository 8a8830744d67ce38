#pragma once

#include <array>
#include <string>

namespace zorva {

enum class NameForm { Short, Long };

// The Spanish month (January first) and day (Sunday first) names that apply
// where the locale gives none, as program text.
std::array<std::string, 12> DefaultMonthNames(NameForm form);
std::array<std::string, 7> DefaultDayNames(NameForm form);

// The user's regional settings that number, date and time texts follow.
// The initial values are the defaults that apply where a setting is missing.
struct RegionalFormats {
  char DecimalMark = '.';
  char DateMark = '/';  // NUL: dates render without separators
  char TimeMark = ':';  // NUL: times render without separators
  std::string ShortDatePicture = "m/d/yy";
  std::string LongDatePicture = "mmmm d, yyyy";
  std::string ShortTimePicture = "h:mm AMPM";
  std::string LongTimePicture = "h:mm:ss AMPM";
  std::string AmText = "am";
  std::string PmText = "pm";
  std::array<std::string, 12> MonthShortNames = DefaultMonthNames(NameForm::Short);  // January first
  std::array<std::string, 12> MonthLongNames = DefaultMonthNames(NameForm::Long);
  std::array<std::string, 7> DayShortNames = DefaultDayNames(NameForm::Short);  // Sunday first
  std::array<std::string, 7> DayLongNames = DefaultDayNames(NameForm::Long);
};

// Reads the settings from the system (the thread's locale on Windows, the
// POSIX locale elsewhere) into the program-wide settings. Cannot fail: a
// setting that cannot be read keeps its default.
void LoadRegionalFormats();

// The refill after the system announces changed settings: on Windows the
// thread first takes the user's default locale again, then the settings are
// read as LoadRegionalFormats reads them.
void ReloadRegionalFormats();

// The program-wide settings, as the last LoadRegionalFormats left them.
const RegionalFormats& CurrentRegionalFormats();

}  // namespace zorva
