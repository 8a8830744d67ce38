// The regional settings of the thread's locale, through GetLocaleInfoA.
#include <windows.h>

#include <algorithm>

#include "textforms/locale_items.h"
#include "textforms/program_text.h"

namespace zorva {
namespace {

LCTYPE LocaleTypeOf(LocaleItem item, int index) {
  switch (item) {
    case LocaleItem::DecimalMark:
      return LOCALE_SDECIMAL;
    case LocaleItem::DateMark:
      return LOCALE_SDATE;
    case LocaleItem::TimeMark:
      return LOCALE_STIME;
    case LocaleItem::ShortDatePicture:
      return LOCALE_SSHORTDATE;
    case LocaleItem::LongDatePicture:
      return LOCALE_SLONGDATE;
    case LocaleItem::ClockKind:
      return LOCALE_ITIME;
    case LocaleItem::HourLeadingZero:
      return LOCALE_ITLZERO;
    case LocaleItem::AmPmFirst:
      return LOCALE_ITIMEMARKPOSN;
    case LocaleItem::CalendarType:
      return LOCALE_ICALENDARTYPE;
    case LocaleItem::AmText:
      return LOCALE_S1159;
    case LocaleItem::PmText:
      return LOCALE_S2359;
    case LocaleItem::MonthShortName:
      return LOCALE_SABBREVMONTHNAME1 + index - 1;
    case LocaleItem::MonthLongName:
      return LOCALE_SMONTHNAME1 + index - 1;
    case LocaleItem::DayShortName:
      return LOCALE_SABBREVDAYNAME1 + index - 1;
    case LocaleItem::DayLongName:
      return LOCALE_SDAYNAME1 + index - 1;
  }
  return 0;
}

class ThreadLocaleItems final : public LocaleItemSource {
 public:
  std::optional<std::string> Item(LocaleItem item, int index, std::size_t room) override {
    // Room for the characters and the terminator; a longer item fails.
    char buffer[256];
    const int length = GetLocaleInfoA(GetThreadLocale(), LocaleTypeOf(item, index), buffer,
                                      static_cast<int>(std::min(room + 1, sizeof buffer)));
    if (length <= 0) return std::nullopt;
    return std::string(buffer);
  }

  std::string Language() override {
    char buffer[16];
    return GetLocaleInfoA(GetThreadLocale(), LOCALE_SISO639LANGNAME, buffer, sizeof buffer) > 0 ? buffer : "";
  }
};

}  // namespace

std::unique_ptr<LocaleItemSource> SystemLocaleItems() {
  // Program text follows the same locale as the settings.
  LoadProgramCodePage();
  return std::make_unique<ThreadLocaleItems>();
}

void ReloadRegionalFormats() {
  SetThreadLocale(GetUserDefaultLCID());
  LoadRegionalFormats();
}

}  // namespace zorva
