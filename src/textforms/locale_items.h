#pragma once

#include <memory>
#include <optional>
#include <string>

#include "textforms/regional_formats.h"

// Reading the regional settings from a source of locale items. The items are
// those of Windows' national-language support; the source on other systems
// derives them from the POSIX locale.
namespace zorva {

enum class LocaleItem {
  DecimalMark,
  DateMark,
  TimeMark,
  ShortDatePicture,
  LongDatePicture,
  ClockKind,        // "0": the 12-hour clock, else the 24-hour clock
  HourLeadingZero,  // not "0": the hour with two digits
  AmPmFirst,        // not "0": the am/pm text before the time
  CalendarType,     // "3", "4", "5": Japanese era, Taiwanese, Korean
  AmText,
  PmText,
  MonthShortName,  // index 1 to 12, January first
  MonthLongName,
  DayShortName,  // index 1 to 7, Monday first
  DayLongName,
};

class LocaleItemSource {
 public:
  virtual ~LocaleItemSource() = default;
  // The item as program text, when it can be read and takes at most `room`
  // characters; nothing otherwise.
  virtual std::optional<std::string> Item(LocaleItem item, int index, std::size_t room) = 0;
  // The ISO 639 code of the locale's language: "es", "ja", ...
  virtual std::string Language() = 0;
};

// The settings as the source gives them, with the defaults wherever an item
// is missing.
RegionalFormats ReadRegionalFormats(LocaleItemSource& source);

// The system's source: the thread's locale on Windows, the POSIX locale of
// the environment elsewhere.
std::unique_ptr<LocaleItemSource> SystemLocaleItems();

// A locale picture of the date, translated for the calendar it names.
std::string TranslateDatePicture(std::string_view picture, int calendarType, bool chineseJapaneseOrKorean);

}  // namespace zorva
