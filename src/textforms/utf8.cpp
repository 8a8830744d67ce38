#include "textforms/utf8.h"

namespace zorva {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct Decoded {
  char32_t codePoint;
  std::size_t length;
};

// The code point at the start of a non-empty text; a malformed start gives
// the replacement character and a length of one byte.
Decoded DecodeOne(std::string_view s) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t value = 0;
  char32_t lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, lowest = 0x10000;
  } else {
    return {kReplacement, 1};
  }
  if (s.size() < length) return {kReplacement, 1};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {kReplacement, 1};
    value = (value << 6) | (byte(i) & 0x3F);
  }
  if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {kReplacement, 1};
  return {value, length};
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
  // No byte gives more than one unit, nor a sequence more units than bytes:
  // the units are written in place, and the string cut to their count.
  std::u16string out(utf8.size(), u'\0');
  char16_t* unit = out.data();
  while (!utf8.empty()) {
    if (static_cast<unsigned char>(utf8[0]) < 0x80) {
      *unit++ = static_cast<char16_t>(utf8[0]);
      utf8.remove_prefix(1);
      continue;
    }
    const Decoded d = DecodeOne(utf8);
    utf8.remove_prefix(d.length);
    if (d.codePoint < 0x10000) {
      *unit++ = static_cast<char16_t>(d.codePoint);
    } else {
      const char32_t v = d.codePoint - 0x10000;
      *unit++ = static_cast<char16_t>(0xD800 | (v >> 10));
      *unit++ = static_cast<char16_t>(0xDC00 | (v & 0x3FF));
    }
  }
  out.resize(static_cast<std::size_t>(unit - out.data()));
  return out;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
  // A unit gives at most three bytes, and a pair of them four.
  std::string out(utf16.size() * 3, '\0');
  char* end = out.data();
  for (std::size_t i = 0; i < utf16.size(); ++i) end = EncodeUtf8(CodePointAt(utf16, i), end);
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

std::size_t Utf8SequenceLength(std::string_view utf8) { return utf8.empty() ? 0 : DecodeOne(utf8).length; }

}  // namespace zorva
