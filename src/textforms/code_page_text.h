#pragma once

#include <string>
#include <string_view>

// Helpers of the code-page conversions in program_text_*.cpp.
namespace zorva {

// What text in a character set we cannot read leaves: its ASCII, and "?" for
// every other byte, as Windows leaves a character that has no equivalent.
std::string AsciiOnly(std::string_view bytes);

#ifndef _WIN32
// The iconv name of a Windows code page (850 -> "CP850", 28591 -> "ISO-8859-1").
std::string CharsetOfCodePage(unsigned codePage);

// The bytes read in the character set as UTF-8, through iconv. A byte with no
// character there becomes "?"; a set iconv does not know gives AsciiOnly.
std::string Utf8FromCharset(std::string_view bytes, const std::string& charset);
#endif

}  // namespace zorva
