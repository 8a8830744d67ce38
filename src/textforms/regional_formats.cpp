#include <array>
#include <string_view>

#include "textforms/letters.h"
#include "textforms/locale_items.h"
#include "textforms/program_text.h"
#include "textforms/regional_formats.h"
#include "textforms/whole_number.h"

namespace zorva {
namespace {

// Written in UTF-8, given as program text.
constexpr std::array<std::string_view, 12> kMonthShortNames{"Ene", "Feb", "Mar", "Abr", "May", "Jun",
                                                            "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};
constexpr std::array<std::string_view, 12> kMonthLongNames{"Enero",      "Febrero", "Marzo",     "Abril",
                                                           "Mayo",       "Junio",   "Julio",     "Agosto",
                                                           "Septiembre", "Octubre", "Noviembre", "Diciembre"};
constexpr std::array<std::string_view, 7> kDayShortNames{"Dom", "Lun", "Mar", "Mie", "Jue", "Vie", "Sab"};
constexpr std::array<std::string_view, 7> kDayLongNames{"Domingo", "Lunes",   "Martes", "Miércoles",
                                                        "Jueves",  "Viernes", "Sábado"};

template <std::size_t N>
std::array<std::string, N> AsProgramText(const std::array<std::string_view, N>& names) {
  std::array<std::string, N> out;
  for (std::size_t i = 0; i < N; ++i) out[i] = ProgramTextFromUtf8(names[i]);
  return out;
}

constexpr std::size_t kTextRoom = 255;
constexpr std::size_t kCharacterRoom = 1;

class Reader {
 public:
  explicit Reader(LocaleItemSource& source) : source_(source) {}

  std::optional<std::string> Text(LocaleItem item, int index = 0) {
    return source_.Item(item, index, kTextRoom);
  }

  // The item's one character; an empty item gives NUL.
  void Character(LocaleItem item, char& field) {
    if (const auto value = source_.Item(item, 0, kCharacterRoom)) field = value->empty() ? '\0' : (*value)[0];
  }

  int Number(LocaleItem item, int fallback) {
    const auto value = Text(item);
    const auto number = value ? ReadWholeNumber(*value) : std::nullopt;
    return number.value_or(fallback);
  }

  // Names fall back to the default on an empty item too.
  template <std::size_t N>
  void Names(LocaleItem item, std::array<std::string, N>& names, auto localeIndexOf) {
    for (std::size_t i = 0; i < N; ++i)
      if (const auto value = Text(item, localeIndexOf(static_cast<int>(i))); value && !value->empty())
        names[i] = *value;
  }

 private:
  LocaleItemSource& source_;
};

bool IsChineseJapaneseOrKorean(std::string_view language) {
  return language == "zh" || language == "ja" || language == "ko";
}

// The time pictures are built from the clock items, not taken from a picture.
void BuildTimePictures(RegionalFormats& formats, int clockKind, int hourLeadingZero, int amPmFirst) {
  const std::string hour = hourLeadingZero != 0 ? "hh" : "h";
  std::string prefix;
  std::string suffix;
  if (clockKind == 0) {
    if (amPmFirst != 0)
      prefix = "AMPM ";
    else
      suffix = " AMPM";
  }
  formats.ShortTimePicture = prefix + hour + ":mm" + suffix;
  formats.LongTimePicture = prefix + hour + ":mm:ss" + suffix;
}

RegionalFormats& Current() {
  static RegionalFormats formats;
  return formats;
}

}  // namespace

std::array<std::string, 12> DefaultMonthNames(NameForm form) {
  return AsProgramText(form == NameForm::Short ? kMonthShortNames : kMonthLongNames);
}

std::array<std::string, 7> DefaultDayNames(NameForm form) {
  return AsProgramText(form == NameForm::Short ? kDayShortNames : kDayLongNames);
}

std::string TranslateDatePicture(std::string_view picture, int calendarType, bool chineseJapaneseOrKorean) {
  const bool eraCalendar = calendarType >= 3 && calendarType <= 5;
  if (!eraCalendar && !chineseJapaneseOrKorean) return std::string(picture);
  // Replacements for the era calendars, longest first.
  static constexpr std::pair<std::string_view, std::string_view> kEraReplacements[] = {
      {"gg", "ggg"}, {"yyyy", "eeee"}, {"yy", "ee"}, {"y", "e"}};
  std::string out;
  while (!picture.empty()) {
    const std::size_t length = CharacterLength(picture);
    std::string_view taken = picture.substr(0, length);
    std::string_view written = taken;
    if (length == 1 && eraCalendar) {
      for (const auto& [from, to] : kEraReplacements)
        if (StartsWithLetters(picture, from)) {
          taken = picture.substr(0, from.size());
          written = to;
          break;
        }
    } else if (length == 1 && LowerLetter(picture[0]) == 'g') {
      written = {};
    }
    out += written;
    picture.remove_prefix(taken.size());
  }
  return out;
}

RegionalFormats ReadRegionalFormats(LocaleItemSource& source) {
  RegionalFormats formats;
  Reader read(source);
  read.Character(LocaleItem::DecimalMark, formats.DecimalMark);
  // A number with no decimal mark at all would change its value; keep the period.
  if (formats.DecimalMark == '\0') formats.DecimalMark = RegionalFormats{}.DecimalMark;
  read.Character(LocaleItem::DateMark, formats.DateMark);
  read.Character(LocaleItem::TimeMark, formats.TimeMark);

  const int calendarType = read.Number(LocaleItem::CalendarType, 1);
  const bool cjk = IsChineseJapaneseOrKorean(source.Language());
  formats.ShortDatePicture = TranslateDatePicture(
      read.Text(LocaleItem::ShortDatePicture).value_or(formats.ShortDatePicture), calendarType, cjk);
  formats.LongDatePicture = TranslateDatePicture(
      read.Text(LocaleItem::LongDatePicture).value_or(formats.LongDatePicture), calendarType, cjk);

  BuildTimePictures(formats, read.Number(LocaleItem::ClockKind, 0),
                    read.Number(LocaleItem::HourLeadingZero, 0), read.Number(LocaleItem::AmPmFirst, 0));
  formats.AmText = read.Text(LocaleItem::AmText).value_or(formats.AmText);
  formats.PmText = read.Text(LocaleItem::PmText).value_or(formats.PmText);

  const auto sameIndex = [](int i) { return i + 1; };
  // The locale counts days from Monday; ours start on Sunday.
  const auto fromMonday = [](int i) { return i == 0 ? 7 : i; };
  read.Names(LocaleItem::MonthShortName, formats.MonthShortNames, sameIndex);
  read.Names(LocaleItem::MonthLongName, formats.MonthLongNames, sameIndex);
  read.Names(LocaleItem::DayShortName, formats.DayShortNames, fromMonday);
  read.Names(LocaleItem::DayLongName, formats.DayLongNames, fromMonday);
  return formats;
}

void LoadRegionalFormats() {
  const std::unique_ptr<LocaleItemSource> source = SystemLocaleItems();
  Current() = ReadRegionalFormats(*source);
}

const RegionalFormats& CurrentRegionalFormats() { return Current(); }

}  // namespace zorva
