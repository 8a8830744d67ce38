#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "textforms/column_value.h"
#include "textforms/regional_formats.h"

namespace zorva {

// The text of a column, by its kind, under the given regional settings.
// A null column gives the empty text.
std::string ColumnText(const ColumnValue& value, const RegionalFormats& formats);

// The same text, made in `room`, which keeps its size for the next text, so
// that a caller making many texts allocates once; a column's own text is
// given as it is, without a copy. The text lasts while both the value and
// the room stay unchanged.
std::string_view ColumnText(const ColumnValue& value, const RegionalFormats& formats, std::string& room);

// A column as a signed 32-bit integer; raises a Failure where it has none.
std::int32_t ColumnInteger(const ColumnValue& value);

// A floating-point number with at most 15 significant digits.
std::string GeneralNumberText(double value, char decimalMark);

// The same, made in `room` as ColumnText makes it (or a constant text).
std::string_view GeneralNumberText(double value, char decimalMark, std::string& room);

// A whole number's decimal digits, made in `room` as ColumnText makes them.
std::string_view WholeNumberText(std::int64_t value, std::string& room);

// A fixed-point count of ten-thousandths.
std::string FixedPointText(std::int64_t tenThousandths, char decimalMark);

// A date and time rendered with a picture; at most 256 characters.
std::string PictureText(std::string_view picture, const DateTime& moment, const RegionalFormats& formats);

}  // namespace zorva
