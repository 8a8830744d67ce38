#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "textforms/locale_items.h"

// A POSIX locale's strftime formats in the terms of the locale items.
namespace zorva {

// The format with its composite conversions (%D, %F, %T, %R, %r) spelled out;
// %r takes the locale's 12-hour time format.
std::string ExpandTimeFormat(std::string_view format, std::string_view amPmTimeFormat);

// The format as a picture: %d becomes dd, %B mmmm, %H hh, %p ampm and so on;
// literal text that holds letters or quotes is quoted. Conversions that have
// no picture element are left out.
std::string PictureOfFormat(std::string_view expandedFormat);

// The first literal character after the first conversion: "/" of %d/%m/%y.
std::string SeparatorOfFormat(std::string_view expandedFormat);

// ClockKind, HourLeadingZero and AmPmFirst as the time format implies them;
// nothing for a format without an hour, or for any other item.
std::optional<std::string> ClockItemOfFormat(LocaleItem item, std::string_view expandedFormat);

}  // namespace zorva
