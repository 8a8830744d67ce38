// Program text off Windows: UTF-8, whatever the locale's character set.
// Code-page text comes in through iconv.
#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "base/unique_handle.h"
#include "textforms/code_page_text.h"
#include "textforms/locale_code_pages.h"
#include "textforms/program_text.h"
#include "textforms/single_byte_code_pages.h"
#include "textforms/utf8.h"

namespace zorva {
namespace {

struct IconvCloser {
  static void Close(iconv_t handle) { iconv_close(handle); }
};
using unique_iconv = unique_handle<iconv_t, IconvCloser, nullptr>;

unique_iconv OpenToUtf8(const std::string& charset) {
  const iconv_t handle = iconv_open("UTF-8", charset.c_str());
  return unique_iconv(handle == reinterpret_cast<iconv_t>(-1) ? nullptr : handle);
}

std::string Utf8OfCharacter(char16_t character) { return Utf8FromUtf16(std::u16string_view(&character, 1)); }

// What a byte of a code page that iconv reads as `read` (nothing: it finds
// no character) gives as UTF-8: Windows' reading where it has another, else
// "?" for none.
std::string Utf8OfByte(unsigned codePage, unsigned char byte, std::string_view read) {
  if (const char16_t windows = codePage ? WindowsReadingOfByte(codePage, byte, !read.empty()) : 0)
    return Utf8OfCharacter(windows);
  return read.empty() ? "?" : std::string(read);
}

// The bytes of a code page (0 for a character set that is none) read through
// a converter to UTF-8. A byte with no character in the source set becomes
// what Windows reads for it, else "?"; a cut-off sequence becomes "?".
std::string Utf8Through(iconv_t converter, std::string_view bytes, unsigned codePage) {
  std::string out;
  // iconv takes its input through a pointer to non-const but never writes it.
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, outPtr);
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // A byte with no character in the source set, or a cut-off sequence.
    out += errno == EILSEQ ? Utf8OfByte(codePage, static_cast<unsigned char>(*in), {}) : "?";
    ++in;
    --inLeft;
  }
  // Stateful sets (CP1255, CP1258) hold back a letter that a combining mark
  // might still follow: the final flush gives it, and leaves the converter
  // in its initial state.
  char* outPtr = buffer;
  std::size_t outLeft = sizeof buffer;
  iconv(converter, nullptr, nullptr, &outPtr, &outLeft);
  out.append(buffer, outPtr);
  return out;
}

// The UTF-8 of each of the 256 bytes of a code page whose characters are one
// byte each and which iconv converts without holding anything back; empty
// for any other. Each byte gives what Utf8Through gives for it.
std::vector<std::string> ByteTexts(iconv_t converter, unsigned codePage) {
  std::vector<std::string> texts(256);
  for (int b = 0; b < 256; ++b) {
    char byte = static_cast<char>(b);
    char* in = &byte;
    std::size_t inLeft = 1;
    char out[8];
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
      // Nothing out: the letter waits for a combining mark (CP1255, CP1258).
      if (outPtr == out) return {};
      texts[b] = Utf8OfByte(codePage, static_cast<unsigned char>(b), std::string_view(out, outPtr - out));
    } else if (errno == EILSEQ) {
      texts[b] = Utf8OfByte(codePage, static_cast<unsigned char>(b), {});
    } else {
      return {};  // the first byte of a longer character
    }
  }
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  return texts;
}

// The same from a table of the upper half of a code page.
std::vector<std::string> ByteTexts(const std::array<char16_t, 128>& upperHalf) {
  std::vector<std::string> texts(256);
  for (int b = 0; b < 128; ++b) {
    texts[b] = static_cast<char>(b);
    texts[b + 128] = Utf8OfCharacter(upperHalf[b]);
  }
  return texts;
}

// A code page's way to UTF-8, kept for the life of the thread: opening a
// converter costs many times what converting a field's few bytes costs, and
// an export converts a field of nearly every row. Where the code page allows
// it, a table of its bytes spares even the calls of iconv.
struct CodePageConverter {
  unsigned codePage;
  unique_iconv converter;  // null for a code page iconv does not know
  std::vector<std::string> byteTexts;
};

const CodePageConverter& KeptConverter(unsigned codePage) {
  thread_local std::vector<CodePageConverter> kept;
  for (const CodePageConverter& k : kept)
    if (k.codePage == codePage) return k;
  unique_iconv converter;
  std::vector<std::string> byteTexts;
  if (const auto* upperHalf = UpperHalfOfCodePage(codePage)) {
    byteTexts = ByteTexts(*upperHalf);
  } else {
    converter = OpenToUtf8(CharsetOfCodePage(codePage));
    if (converter) byteTexts = ByteTexts(converter.get(), codePage);
  }
  kept.push_back({codePage, std::move(converter), std::move(byteTexts)});
  return kept.back();
}

// The locale that decides the character set, as the C library picks it.
std::string CharacterLocaleName() {
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"})
    if (const char* value = std::getenv(name); value && *value) return value;
  return "C";
}

}  // namespace

std::string CharsetOfCodePage(unsigned codePage) {
  if (codePage == 65001) return "UTF-8";
  if (codePage == 20127) return "US-ASCII";
  if (codePage >= 28591 && codePage <= 28599) return "ISO-8859-" + std::to_string(codePage - 28590);
  if (codePage == 28603) return "ISO-8859-13";
  if (codePage == 28605) return "ISO-8859-15";
  if (codePage == 10000) return "MACINTOSH";
  if (codePage == 10029) return "MAC-CENTRALEUROPE";
  return "CP" + std::to_string(codePage);
}

std::string Utf8FromCharset(std::string_view bytes, const std::string& charset) {
  if (bytes.empty()) return {};
  const unique_iconv converter = OpenToUtf8(charset);
  return converter ? Utf8Through(converter.get(), bytes, 0) : AsciiOnly(bytes);
}

std::string ProgramTextFromUtf8(std::string_view utf8) { return std::string(utf8); }

std::string ProgramTextFromCodePage(std::string_view bytes, unsigned codePage) {
  std::string text;
  ProgramTextFromCodePage(bytes, codePage, text);
  return text;
}

void ProgramTextFromCodePage(std::string_view bytes, unsigned codePage, std::string& text) {
  text.clear();
  if (bytes.empty()) return;
  const CodePageConverter& kept = KeptConverter(codePage);
  if (!kept.byteTexts.empty()) {
    for (const unsigned char byte : bytes) text += kept.byteTexts[byte];
    return;
  }
  if (!kept.converter) {
    text = AsciiOnly(bytes);
    return;
  }
  // A kept converter starts from its initial state, whatever a conversion
  // cut short by an exception left in it.
  iconv(kept.converter.get(), nullptr, nullptr, nullptr, nullptr);
  text = Utf8Through(kept.converter.get(), bytes, codePage);
}

// The locale is the one the program started in: its code pages are found
// once, not for every text of a table.
std::string ProgramTextFromOem(std::string_view bytes) {
  static const unsigned codePage = OemCodePageOfLocale(CharacterLocaleName());
  return ProgramTextFromCodePage(bytes, codePage);
}

std::string ProgramTextFromAnsi(std::string_view bytes) {
  static const unsigned codePage = AnsiCodePageOfLocale(CharacterLocaleName());
  return ProgramTextFromCodePage(bytes, codePage);
}

std::u16string DocumentText(std::string_view text) { return Utf16FromUtf8(text); }

std::string ProgramTextFromDocumentText(std::u16string_view text) { return Utf8FromUtf16(text); }

std::size_t CharacterLength(std::string_view text) { return Utf8SequenceLength(text); }

}  // namespace zorva
