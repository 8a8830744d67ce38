#pragma once

#include <array>

// How Windows reads the bytes of single-byte code pages where iconv cannot
// tell us: the pages it does not have, and the bytes it reads otherwise or
// not at all. Tables and iconv then agree with the Windows build.
namespace zorva {

// The characters of the bytes 80h to FFh of a code page that iconv lacks
// (10006 Greek Macintosh, 720 Arabic MS-DOS); null for any other page. Both
// keep ASCII as it is.
const std::array<char16_t, 128>* UpperHalfOfCodePage(unsigned codePage);

// The character Windows reads for a byte of a page iconv has, where iconv
// reads another character or none; 0 where iconv's reading stands. A byte
// from 80h to 9Fh that neither gives a character is read as the control
// character of the same number.
char16_t WindowsReadingOfByte(unsigned codePage, unsigned char byte, bool iconvReadsIt);

}  // namespace zorva
