// The era elements through Windows' formatting for the locale's alternative
// calendar. A single g gives the era name's first character for Japanese,
// which abbreviates its eras so; for other languages the whole name.
#include <windows.h>

#include <string>

#include "textforms/era_text.h"
#include "textforms/program_text.h"

namespace zorva {

std::string EraText(char letter, int count, const DateTime& moment) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(moment.year);
  time.wMonth = static_cast<WORD>(moment.month);
  time.wDay = static_cast<WORD>(moment.day);
  const char* format = letter == 'g' ? "gg" : count <= 2 ? "yy" : "yyyy";
  char buffer[256];
  const LCID locale = GetThreadLocale();
  if (GetDateFormatA(locale, DATE_USE_ALT_CALENDAR, &time, format, buffer, sizeof buffer) <= 0) return {};
  std::string text = buffer;
  if (letter == 'e' && count == 1 && text.size() > 1 && text[0] == '0') text.erase(0, 1);
  if (letter == 'g' && count == 1 && PRIMARYLANGID(LANGIDFROMLCID(locale)) == LANG_JAPANESE)
    text.resize(CharacterLength(text));
  return text;
}

}  // namespace zorva
