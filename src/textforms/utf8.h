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

// The code point at text[i]: a surrogate pair is taken whole, with i left on
// its second half, and a lone surrogate is U+FFFD.
inline char32_t CodePointAt(std::u16string_view text, std::size_t& i) {
  const char32_t unit = text[i];
  if (unit < 0xD800 || unit > 0xDFFF) return unit;
  if (unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
    return 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00);
  return 0xFFFD;
}

// Writes the code point's UTF-8 bytes, one to four, at `out`; returns their end.
inline char* EncodeUtf8(char32_t c, char* out) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
    return out;
  }
  if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  *out++ = static_cast<char>(0x80 | (c & 0x3F));
  return out;
}

}  // namespace zorva
