#pragma once

#include <string_view>

// The code pages that Windows pairs with a locale's language (and, for a
// few, its territory), for a POSIX locale name such as "es_ES.UTF-8". The C
// locale, and any language Windows gives no code pages, get those of U.S.
// English.
namespace zorva {

// The OEM code page: 850 for Spanish, 437 for U.S. English.
unsigned OemCodePageOfLocale(std::string_view localeName);

// The ANSI code page: 1252 for Spanish, 1251 for Russian.
unsigned AnsiCodePageOfLocale(std::string_view localeName);

}  // namespace zorva
