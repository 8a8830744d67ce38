#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The program's 8-bit text and its conversions. On Windows the program's text
// is in the ANSI code page of the thread's locale; on other systems it is
// UTF-8, whatever the locale's character set, so that no letter is lost.
namespace zorva {

// Our own literals are written in UTF-8; this gives them as program text.
std::string ProgramTextFromUtf8(std::string_view utf8);

// Text of a table in the given Windows code page (850, 1252, ...) as program
// text. Characters the program's code page lacks fare as the platform's
// conversion makes them fare.
std::string ProgramTextFromCodePage(std::string_view bytes, unsigned codePage);

// The same into `text`, whose room a caller converting text after text
// reuses.
void ProgramTextFromCodePage(std::string_view bytes, unsigned codePage, std::string& text);

// Text in the OEM code page of the user's locale as program text: the
// conversion for a table that names no code page of its own.
std::string ProgramTextFromOem(std::string_view bytes);

// 8-bit text in the ANSI code page of the user's locale as program text: the
// stored bytes of a binary column, taken as text. On Windows it is program
// text already.
std::string ProgramTextFromAnsi(std::string_view bytes);

// Program text as the 16-bit characters that the export document takes.
// An empty text gives an empty string.
std::u16string DocumentText(std::string_view text);

// The reverse, for texts that come back from the system in 16 bits.
std::string ProgramTextFromDocumentText(std::u16string_view text);

#ifdef _WIN32
// Reads the code page of program text again from the thread's locale. The
// regional settings are read with it, and the thread's locale changes only
// before they are.
void LoadProgramCodePage();
#endif

// How many bytes the character at the start of the text takes: two for a
// double-byte character of the ANSI code page on Windows, a whole UTF-8
// sequence elsewhere, else one. Walking text by characters keeps a trail byte
// from being read as a letter of its own. Zero for an empty text.
std::size_t CharacterLength(std::string_view text);

}  // namespace zorva
