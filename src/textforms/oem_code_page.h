#pragma once

#include <string_view>

namespace zorva {

// The OEM code page that Windows pairs with a locale's language (and, for a
// few, its territory), for a POSIX locale name such as "es_ES.UTF-8". The C
// locale, and any language Windows gives no OEM code page, get 437.
unsigned OemCodePageOfLocale(std::string_view localeName);

}  // namespace zorva
