// The regional settings of the POSIX locale that the environment names.
// Windows' items are derived from it: the marks and the clock from the
// strftime formats, which also give the short date picture. POSIX has no
// long date picture and no calendar type, so those keep their defaults.
#include <langinfo.h>
#include <locale.h>

#include <cstdlib>

#include "base/unique_handle.h"
#include "textforms/code_page_text.h"
#include "textforms/locale_items.h"
#include "textforms/posix_time_formats.h"

namespace zorva {
namespace {

struct LocaleFreer {
  static void Close(locale_t locale) { freelocale(locale); }
};
using unique_locale = unique_handle<locale_t, LocaleFreer, nullptr>;

std::string LocaleNameOf(const char* category) {
  for (const char* name : {"LC_ALL", category, "LANG"})
    if (const char* value = std::getenv(name); value && *value) return value;
  return "C";
}

class PosixLocaleItems final : public LocaleItemSource {
 public:
  PosixLocaleItems() : locale_(newlocale(LC_ALL_MASK, "", nullptr)) {}

  std::optional<std::string> Item(LocaleItem item, int index, std::size_t room) override {
    if (!locale_) return std::nullopt;
    std::optional<std::string> value = Read(item, index);
    if (value && value->size() > room) return std::nullopt;
    return value;
  }

  std::string Language() override {
    const std::string name = LocaleNameOf("LC_TIME");
    return name.substr(0, name.find_first_of("_.@"));
  }

 private:
  std::string Langinfo(nl_item item) const {
    return Utf8FromCharset(nl_langinfo_l(item, locale_.get()), nl_langinfo_l(CODESET, locale_.get()));
  }

  std::string Expanded(nl_item format) const {
    return ExpandTimeFormat(Langinfo(format), Langinfo(T_FMT_AMPM));
  }

  std::optional<std::string> Read(LocaleItem item, int index) const {
    switch (item) {
      case LocaleItem::DecimalMark:
        return Langinfo(RADIXCHAR);
      case LocaleItem::DateMark:
        return SeparatorOfFormat(Expanded(D_FMT));
      case LocaleItem::TimeMark:
        return SeparatorOfFormat(Expanded(T_FMT));
      case LocaleItem::ShortDatePicture:
        return PictureOfFormat(Expanded(D_FMT));
      case LocaleItem::ClockKind:
      case LocaleItem::HourLeadingZero:
      case LocaleItem::AmPmFirst:
        return ClockItemOfFormat(item, Expanded(T_FMT));
      case LocaleItem::AmText:
        return Langinfo(AM_STR);
      case LocaleItem::PmText:
        return Langinfo(PM_STR);
      case LocaleItem::MonthShortName:
        return Langinfo(ABMON_1 + index - 1);
      case LocaleItem::MonthLongName:
        return Langinfo(MON_1 + index - 1);
      // The locale items count from Monday, langinfo from Sunday.
      case LocaleItem::DayShortName:
        return Langinfo(ABDAY_1 + index % 7);
      case LocaleItem::DayLongName:
        return Langinfo(DAY_1 + index % 7);
      case LocaleItem::LongDatePicture:
      case LocaleItem::CalendarType:
        return std::nullopt;
    }
    return std::nullopt;
  }

  unique_locale locale_;
};

}  // namespace

std::unique_ptr<LocaleItemSource> SystemLocaleItems() { return std::make_unique<PosixLocaleItems>(); }

void ReloadRegionalFormats() { LoadRegionalFormats(); }

}  // namespace zorva
