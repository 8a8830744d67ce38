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

// The same into `text`, whose room a caller that makes many texts may reuse.
void ColumnText(const ColumnValue& value, const RegionalFormats& formats, std::string& text);

// A column as a signed 32-bit integer; raises a Failure where it has none.
std::int32_t ColumnInteger(const ColumnValue& value);

// A floating-point number with at most 15 significant digits.
std::string GeneralNumberText(double value, char decimalMark);

// A fixed-point count of ten-thousandths.
std::string FixedPointText(std::int64_t tenThousandths, char decimalMark);

// A date and time rendered with a picture; at most 256 characters.
std::string PictureText(std::string_view picture, const DateTime& moment, const RegionalFormats& formats);

}  // namespace zorva
