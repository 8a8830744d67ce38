#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "textforms/column_text.h"
#include "textforms/era_text.h"
#include "textforms/letters.h"
#include "textforms/program_text.h"

namespace zorva {
namespace {

constexpr std::size_t kMaximumLength = 256;

// The am/pm elements, as many characters as each takes.
std::size_t AmPmElementLength(std::string_view text) {
  if (StartsWithLetters(text, "am/pm")) return 5;
  if (StartsWithLetters(text, "a/p")) return 3;
  if (StartsWithLetters(text, "ampm")) return 4;
  return 0;
}

// Days since 1 January 1970 of a proleptic Gregorian date.
long long DaysFromCivil(int year, int month, int day) {
  const long long y = year - (month <= 2);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yearOfEra = y - era * 400;
  const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// 0 for Sunday.
int Weekday(const DateTime& m) {
  const long long days = DaysFromCivil(m.year, m.month, m.day);
  return static_cast<int>(((days % 7) + 11) % 7);
}

std::string Number(int value, int digits) {
  std::string text = std::to_string(value);
  if (text.size() < static_cast<std::size_t>(digits)) text.insert(0, digits - text.size(), '0');
  return text;
}

template <std::size_t N>
const std::string& Name(const std::array<std::string, N>& names, int index) {
  static const std::string none;
  return index >= 0 && static_cast<std::size_t>(index) < N ? names[index] : none;
}

class Renderer {
 public:
  Renderer(const DateTime& moment, const RegionalFormats& formats) : m_(moment), f_(formats) {
    // A time without a date counts from the day before the last day of 1899.
    if (m_.year == 0 && m_.month == 0 && m_.day == 0) m_.year = 1899, m_.month = 12, m_.day = 30;
  }

  // `nested`: inside a picture rendered in place, which renders no further one.
  void Render(std::string_view picture, bool nested) {
    char lastLetter = 0;
    bool twelveHour = false;
    std::size_t i = 0;
    while (i < picture.size()) {
      const std::string_view rest = picture.substr(i);
      const std::size_t characterLength = CharacterLength(rest);
      const char c = picture[i];
      const char lower = LowerLetter(c);
      if (characterLength > 1) {
        out_ += rest.substr(0, characterLength);
        i += characterLength;
        continue;
      }
      if (c == '\'' || c == '"') {
        const std::size_t close = picture.find(c, i + 1);
        out_ +=
            picture.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1);
        i = close == std::string_view::npos ? picture.size() : close + 1;
        continue;
      }
      if (lower == 'a') {
        if (const std::size_t length = AmPmElementLength(rest)) {
          AmPm(rest.substr(0, length));
          twelveHour = true;
          i += length;
        } else {
          i += AmOrDayName(rest);
        }
        lastLetter = lower;
        continue;
      }
      std::size_t count = 1;
      while (i + count < picture.size() && picture[i + count] == c) ++count;
      const int n = static_cast<int>(count);
      switch (lower) {
        case 'd':
          Day(n, nested);
          break;
        case 'm':
          Month(n, lastLetter == 'h');
          break;
        case 'y':
          out_ += n <= 2 ? Number(m_.year % 100, 2) : Number(m_.year, 4);
          break;
        case 'h':
          Hour(n, twelveHour || AmPmAhead(picture.substr(i + count)));
          break;
        case 'n':
          out_ += Number(m_.minute, std::min(n, 2));
          break;
        case 's':
          out_ += Number(m_.second, std::min(n, 2));
          break;
        case 'z':
          out_ += Number(m_.millisecond, std::min(n, 3));
          break;
        case 't':
          if (!nested) Render(n == 1 ? f_.ShortTimePicture : f_.LongTimePicture, true);
          break;
        case 'c':
          if (!nested) DateAndTime();
          break;
        case 'g':
        case 'e':
          out_ += EraText(lower, n, m_);
          break;
        case '/':
          Mark(f_.DateMark, count);
          break;
        case ':':
          Mark(f_.TimeMark, count);
          break;
        default:
          out_ += picture.substr(i, count);
      }
      if (IsAsciiLetter(c)) lastLetter = lower;
      i += count;
    }
  }

  std::string Result() {
    // Cut at the limit, never inside a character.
    std::size_t end = 0;
    while (end < out_.size()) {
      const std::size_t next = end + CharacterLength(std::string_view(out_).substr(end));
      if (next > kMaximumLength) break;
      end = next;
    }
    out_.resize(end);
    return std::move(out_);
  }

 private:
  // aaaa and aaa name the day; any other a is itself.
  std::size_t AmOrDayName(std::string_view rest) {
    if (StartsWithLetters(rest, "aaaa")) {
      out_ += Name(f_.DayLongNames, Weekday(m_));
      return 4;
    }
    if (StartsWithLetters(rest, "aaa")) {
      out_ += Name(f_.DayShortNames, Weekday(m_));
      return 3;
    }
    out_ += rest[0];
    return 1;
  }

  void AmPm(std::string_view element) {
    const bool morning = m_.hour < 12;
    if (element.size() == 5)
      out_ += element.substr(morning ? 0 : 3, 2);
    else if (element.size() == 3)
      out_ += element[morning ? 0 : 2];
    else
      out_ += morning ? f_.AmText : f_.PmText;
  }

  // Whether the first a ahead, outside quotes and before any further h,
  // begins an am/pm element.
  static bool AmPmAhead(std::string_view rest) {
    for (std::size_t i = 0; i < rest.size(); i += std::max<std::size_t>(1, CharacterLength(rest.substr(i)))) {
      const char lower = LowerLetter(rest[i]);
      if (rest[i] == '\'' || rest[i] == '"') {
        const std::size_t close = rest.find(rest[i], i + 1);
        if (close == std::string_view::npos) return false;
        i = close;
      } else if (lower == 'h') {
        return false;
      } else if (lower == 'a') {
        return AmPmElementLength(rest.substr(i)) > 0;
      }
    }
    return false;
  }

  void Day(int n, bool nested) {
    if (n <= 2)
      out_ += Number(m_.day, n);
    else if (n == 3)
      out_ += Name(f_.DayShortNames, Weekday(m_));
    else if (n == 4)
      out_ += Name(f_.DayLongNames, Weekday(m_));
    else if (!nested)
      Render(n == 5 ? f_.ShortDatePicture : f_.LongDatePicture, true);
  }

  // m and mm just after an h are minutes.
  void Month(int n, bool afterHour) {
    if (n <= 2 && afterHour)
      out_ += Number(m_.minute, n);
    else if (n <= 2)
      out_ += Number(m_.month, n);
    else
      out_ += Name(n == 3 ? f_.MonthShortNames : f_.MonthLongNames, m_.month - 1);
  }

  void Hour(int n, bool twelveHour) {
    int hour = m_.hour;
    if (twelveHour) hour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
    out_ += Number(hour, std::min(n, 2));
  }

  void DateAndTime() {
    Render(f_.ShortDatePicture, true);
    if (m_.hour != 0 || m_.minute != 0 || m_.second != 0) {
      out_ += ' ';
      Render(f_.LongTimePicture, true);
    }
  }

  void Mark(char mark, std::size_t count) {
    if (mark != '\0') out_.append(count, mark);
  }

  DateTime m_;
  const RegionalFormats& f_;
  std::string out_;
};

}  // namespace

std::string PictureText(std::string_view picture, const DateTime& moment, const RegionalFormats& formats) {
  Renderer renderer(moment, formats);
  renderer.Render(picture, false);
  return renderer.Result();
}

}  // namespace zorva
