#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 to and from UTF-16. A byte that does not begin a well-formed sequence
// (a stray continuation byte, an overlong form, a surrogate, a value past
// U+10FFFF, a cut-off sequence) becomes U+FFFD, and so does a lone surrogate
// going the other way: nothing is dropped and nothing malformed comes out.
namespace zorva {

std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

// The length of the well-formed sequence at the start of the text, else 1;
// zero for an empty text.
std::size_t Utf8SequenceLength(std::string_view utf8);

}  // namespace zorva
