// Off Windows the calendar is always the Gregorian one, which counts no eras:
// g renders nothing, and e renders the year as y does (e without a leading
// zero, ee the last two digits, eee and longer the whole year), which is what
// Windows' formatting gives for a Gregorian locale's era year.
#include <string>

#include "textforms/era_text.h"

namespace zorva {

std::string EraText(char letter, int count, const DateTime& moment) {
  if (letter == 'g') return {};
  if (count >= 3) {
    std::string year = std::to_string(moment.year);
    return std::string(year.size() < 4 ? 4 - year.size() : 0, '0') + year;
  }
  const int twoDigits = moment.year % 100;
  if (count == 1) return std::to_string(twoDigits);
  return std::string(twoDigits < 10 ? "0" : "") + std::to_string(twoDigits);
}

}  // namespace zorva
