#include "export/dbase/language_drivers.h"

#include <utility>

#include "textforms/program_text.h"

namespace zorva::dbase {
namespace {

// The published language-driver identifiers and their code pages. Several
// identifiers share a page: they differ in sort order, which a reader in file
// order does not need.
constexpr std::pair<std::uint8_t, unsigned> kLanguageDrivers[] = {
    {0x01, 437},    // U.S. MS-DOS
    {0x02, 850},    // International MS-DOS
    {0x03, 1252},   // Windows ANSI
    {0x04, 10000},  // Standard Macintosh
    {0x08, 865},    // Danish OEM
    {0x09, 437},    // Dutch OEM
    {0x0A, 850},    // Dutch OEM, secondary
    {0x0B, 437},    // Finnish OEM
    {0x0D, 437},    // French OEM
    {0x0E, 850},    // French OEM, secondary
    {0x0F, 437},    // German OEM
    {0x10, 850},    // German OEM, secondary
    {0x11, 437},    // Italian OEM
    {0x12, 850},    // Italian OEM, secondary
    {0x13, 932},    // Japanese Shift-JIS
    {0x14, 850},    // Spanish OEM, secondary
    {0x15, 437},    // Swedish OEM
    {0x16, 850},    // Swedish OEM, secondary
    {0x17, 865},    // Norwegian OEM
    {0x18, 437},    // Spanish OEM
    {0x19, 437},    // English OEM (Britain)
    {0x1A, 850},    // English OEM (Britain), secondary
    {0x1B, 437},    // English OEM (U.S.)
    {0x1C, 863},    // French OEM (Canada)
    {0x1D, 850},    // French OEM, secondary
    {0x1F, 852},    // Czech OEM
    {0x22, 852},    // Hungarian OEM
    {0x23, 852},    // Polish OEM
    {0x24, 860},    // Portuguese OEM
    {0x25, 850},    // Portuguese OEM, secondary
    {0x26, 866},    // Russian OEM
    {0x37, 850},    // English OEM (U.S.), secondary
    {0x40, 852},    // Romanian OEM
    {0x4D, 936},    // Chinese GBK (PRC)
    {0x4E, 949},    // Korean (ANSI/OEM)
    {0x4F, 950},    // Chinese Big5 (Taiwan)
    {0x50, 874},    // Thai (ANSI/OEM)
    {0x57, 1252},   // ANSI
    {0x58, 1252},   // Western European ANSI
    {0x59, 1252},   // Spanish ANSI
    {0x64, 852},    // Eastern European MS-DOS
    {0x65, 866},    // Russian MS-DOS
    {0x66, 865},    // Nordic MS-DOS
    {0x67, 861},    // Icelandic MS-DOS
    {0x6A, 737},    // Greek MS-DOS (437G)
    {0x6B, 857},    // Turkish MS-DOS
    {0x6C, 863},    // French-Canadian MS-DOS
    {0x78, 950},    // Traditional Chinese Windows
    {0x79, 949},    // Korean Windows
    {0x7A, 936},    // Simplified Chinese Windows
    {0x7B, 932},    // Japanese Windows
    {0x7C, 874},    // Thai Windows
    {0x7D, 1255},   // Hebrew Windows
    {0x7E, 1256},   // Arabic Windows
    {0x86, 737},    // Greek OEM
    {0x87, 852},    // Slovenian OEM
    {0x88, 857},    // Turkish OEM
    {0x96, 10007},  // Russian Macintosh
    {0x97, 10029},  // Eastern European Macintosh
    {0x98, 10006},  // Greek Macintosh
    {0xC8, 1250},   // Eastern European Windows
    {0xC9, 1251},   // Russian Windows
    {0xCA, 1254},   // Turkish Windows
    {0xCB, 1253},   // Greek Windows
    {0xCC, 1257},   // Baltic Windows
};

// The language drivers that level-7 tables name, from dBASE's published list:
// the digits after "DB" are the OEM code page, "WIN" the Windows ANSI one.
constexpr std::pair<std::string_view, unsigned> kLanguageDriverNames[] = {
    {"DB437DE0", 437},  {"DB437ES1", 437},  {"DB437FI0", 437},  {"DB437FR0", 437}, {"DB437IT0", 437},
    {"DB437NL0", 437},  {"DB437SV0", 437},  {"DB437UK0", 437},  {"DB437US0", 437}, {"DB850CF0", 850},
    {"DB850DE0", 850},  {"DB850ES0", 850},  {"DB850FR0", 850},  {"DB850IT1", 850}, {"DB850PT0", 850},
    {"DB850UK0", 850},  {"DB860PT0", 860},  {"DB863CF1", 863},  {"DB865DA0", 865}, {"DB865NO0", 865},
    {"DBWINES0", 1252}, {"DBWINUS0", 1252}, {"DBWINWE0", 1252},
};

}  // namespace

std::optional<unsigned> CodePageOfLanguageDriverName(std::string_view name) {
  for (const auto& [driver, codePage] : kLanguageDriverNames)
    if (driver == name) return codePage;
  return std::nullopt;
}

std::optional<unsigned> CodePageOfLanguageDriver(std::uint8_t languageDriver) {
  for (const auto& [id, codePage] : kLanguageDrivers)
    if (id == languageDriver) return codePage;
  return std::nullopt;
}

}  // namespace zorva::dbase

namespace zorva::dbase {

void ProgramTextOfTable(std::string_view bytes, std::optional<unsigned> codePage, std::string& text) {
  // Every code page in the table above keeps ASCII as it is, and most of a
  // timetable's text is ASCII: it needs no conversion.
  // The bytes are or-ed together without stopping early: fields are short,
  // and a loop without a branch per byte is the quicker for them.
  unsigned char any = 0;
  for (const char c : bytes) any |= static_cast<unsigned char>(c);
  if (any < 0x80)
    text.assign(bytes);
  else if (codePage)
    ProgramTextFromCodePage(bytes, *codePage, text);
  else
    text = ProgramTextFromOem(bytes);
}

}  // namespace zorva::dbase
