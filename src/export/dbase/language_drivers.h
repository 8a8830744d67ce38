#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorva::dbase {

// The Windows code page of a table's text, from the language-driver byte of
// its header; nothing for a table that names none (byte 0) or one we do not
// know, whose text is then taken as the OEM code page's.
std::optional<unsigned> CodePageOfLanguageDriver(std::uint8_t languageDriver);

// The Windows code page of a level-7 table's text, from the language driver's
// name in its header ("DBWINWE0"); nothing for a name we do not know.
std::optional<unsigned> CodePageOfLanguageDriverName(std::string_view name);

// A table's text as program text, from its code page or from the OEM code
// page when it names none, into `text`: ASCII is copied once, straight into
// place.
void ProgramTextOfTable(std::string_view bytes, std::optional<unsigned> codePage, std::string& text);

}  // namespace zorva::dbase
