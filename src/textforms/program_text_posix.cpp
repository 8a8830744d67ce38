// Program text off Windows: UTF-8, whatever the locale's character set.
// Code-page text comes in through iconv.
#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "textforms/code_page_text.h"
#include "textforms/oem_code_page.h"
#include "textforms/program_text.h"
#include "textforms/utf8.h"
#include "ui/unique_handle.h"

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
  return "CP" + std::to_string(codePage);
}

std::string Utf8FromCharset(std::string_view bytes, const std::string& charset) {
  if (bytes.empty()) return {};
  const unique_iconv converter = OpenToUtf8(charset);
  if (!converter) return AsciiOnly(bytes);
  std::string out;
  std::string input(bytes);
  char* in = input.data();
  std::size_t inLeft = input.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, outPtr);
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // A byte with no character in the source set, or a cut-off sequence.
    out += '?';
    ++in;
    --inLeft;
  }
  // Stateful sets (CP1255, CP1258) hold back a letter that a combining mark
  // might still follow: the final flush gives it.
  char* outPtr = buffer;
  std::size_t outLeft = sizeof buffer;
  iconv(converter.get(), nullptr, nullptr, &outPtr, &outLeft);
  out.append(buffer, outPtr);
  return out;
}

std::string ProgramTextFromUtf8(std::string_view utf8) { return std::string(utf8); }

std::string ProgramTextFromCodePage(std::string_view bytes, unsigned codePage) {
  return Utf8FromCharset(bytes, CharsetOfCodePage(codePage));
}

std::string ProgramTextFromOem(std::string_view bytes) {
  return ProgramTextFromCodePage(bytes, OemCodePageOfLocale(CharacterLocaleName()));
}

std::u16string DocumentText(std::string_view text) { return Utf16FromUtf8(text); }

std::string ProgramTextFromDocumentText(std::u16string_view text) { return Utf8FromUtf16(text); }

std::size_t CharacterLength(std::string_view text) { return Utf8SequenceLength(text); }

}  // namespace zorva
