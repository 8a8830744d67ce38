#include "textforms/posix_time_formats.h"

#include <array>
#include <cctype>
#include <utility>

namespace zorva {
namespace {

struct Conversion {
  char letter = 0;        // 0: literal text
  bool unpadded = false;  // the - flag
  std::string_view literal;
};

// Splits a format into literal characters and conversions, skipping the
// flags, the field width and the E and O modifiers of a conversion.
template <typename Visit>
void WalkFormat(std::string_view format, Visit visit) {
  for (std::size_t i = 0; i < format.size();) {
    if (format[i] != '%' || i + 1 == format.size()) {
      visit(Conversion{0, false, format.substr(i, 1)});
      ++i;
      continue;
    }
    ++i;
    bool unpadded = false;
    while (i < format.size() && (std::string_view("_-0^#").find(format[i]) != std::string_view::npos ||
                                 std::isdigit(static_cast<unsigned char>(format[i])))) {
      unpadded = unpadded || format[i] == '-';
      ++i;
    }
    while (i < format.size() && (format[i] == 'E' || format[i] == 'O')) ++i;
    if (i == format.size()) break;
    if (format[i] == '%')
      visit(Conversion{0, false, format.substr(i, 1)});
    else
      visit(Conversion{format[i], unpadded, {}});
    ++i;
  }
}

struct Element {
  char letter;
  std::string_view padded;
  std::string_view unpadded;
};

constexpr std::array kElements{
    Element{'d', "dd", "d"},      Element{'e', "d", "d"},       Element{'m', "mm", "m"},
    Element{'y', "yy", "yy"},     Element{'Y', "yyyy", "yyyy"}, Element{'b', "mmm", "mmm"},
    Element{'h', "mmm", "mmm"},   Element{'B', "mmmm", "mmmm"}, Element{'a', "ddd", "ddd"},
    Element{'A', "dddd", "dddd"}, Element{'H', "hh", "h"},      Element{'k', "h", "h"},
    Element{'I', "hh", "h"},      Element{'l', "h", "h"},       Element{'M', "nn", "n"},
    Element{'S', "ss", "s"},      Element{'p', "ampm", "ampm"}, Element{'P', "ampm", "ampm"},
    Element{'n', " ", " "},       Element{'t', " ", " "},
};

constexpr std::array<std::pair<char, std::string_view>, 4> kComposites{
    {{'D', "%m/%d/%y"}, {'F', "%Y-%m-%d"}, {'T', "%H:%M:%S"}, {'R', "%H:%M"}}};

void FlushLiteral(std::string& out, std::string& literal) {
  bool needsQuotes = false;
  for (char c : literal)
    needsQuotes = needsQuotes || std::isalpha(static_cast<unsigned char>(c)) || c == '\'' || c == '"';
  if (!needsQuotes) {
    out += literal;
  } else {
    const char quote = literal.find('"') == std::string::npos ? '"' : '\'';
    out += quote;
    for (char c : literal)
      if (c != quote) out += c;
    out += quote;
  }
  literal.clear();
}

}  // namespace

std::string ExpandTimeFormat(std::string_view format, std::string_view amPmTimeFormat) {
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      const char letter = format[i + 1];
      if (letter == 'r') {
        out += amPmTimeFormat.empty() ? "%I:%M:%S %p" : ExpandTimeFormat(amPmTimeFormat, {});
        ++i;
        continue;
      }
      bool expanded = false;
      for (const auto& [name, expansion] : kComposites)
        if (letter == name) {
          out += expansion;
          expanded = true;
        }
      if (expanded) {
        ++i;
        continue;
      }
      // Keep "%%" whole, so that its second % starts nothing.
      out += format.substr(i, 2);
      ++i;
      continue;
    }
    out += format[i];
  }
  return out;
}

std::string PictureOfFormat(std::string_view expandedFormat) {
  std::string out;
  std::string literal;
  WalkFormat(expandedFormat, [&](const Conversion& c) {
    if (c.letter == 0) {
      literal += c.literal;
      return;
    }
    for (const Element& e : kElements)
      if (e.letter == c.letter) {
        const std::string_view text = c.unpadded ? e.unpadded : e.padded;
        if (text == " ")
          literal += text;
        else {
          FlushLiteral(out, literal);
          out += text;
        }
      }
  });
  FlushLiteral(out, literal);
  return out;
}

std::string SeparatorOfFormat(std::string_view expandedFormat) {
  bool seenConversion = false;
  std::string separator;
  WalkFormat(expandedFormat, [&](const Conversion& c) {
    if (c.letter != 0)
      seenConversion = true;
    else if (seenConversion && separator.empty())
      separator = c.literal;
  });
  return separator;
}

std::optional<std::string> ClockItemOfFormat(LocaleItem item, std::string_view expandedFormat) {
  char hour = 0;
  bool hourUnpadded = false;
  bool amPmFirst = false;
  WalkFormat(expandedFormat, [&](const Conversion& c) {
    if (hour != 0) return;
    if (c.letter == 'p' || c.letter == 'P') amPmFirst = true;
    if (std::string_view("HkIl").find(c.letter) != std::string_view::npos && c.letter != 0) {
      hour = c.letter;
      hourUnpadded = c.unpadded;
    }
  });
  if (hour == 0) return std::nullopt;
  switch (item) {
    case LocaleItem::ClockKind:
      return hour == 'I' || hour == 'l' ? "0" : "1";
    case LocaleItem::HourLeadingZero:
      return (hour == 'H' || hour == 'I') && !hourUnpadded ? "1" : "0";
    case LocaleItem::AmPmFirst:
      return amPmFirst ? "1" : "0";
    default:
      return std::nullopt;
  }
}

}  // namespace zorva
