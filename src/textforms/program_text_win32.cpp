// Program text on Windows: the ANSI code page of the thread's locale.
#include <windows.h>

#include <optional>

#include "textforms/code_page_text.h"
#include "textforms/program_text.h"

namespace zorva {
namespace {

UINT ThreadAnsiCodePage() {
  DWORD codePage = 0;
  if (!GetLocaleInfoW(GetThreadLocale(), LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                      reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(WCHAR)))
    return CP_ACP;
  return codePage;
}

// The code page of program text, read with the regional settings rather
// than for every text: walking a picture asks it for every character, and
// the export converts every value.
UINT& ProgramCodePage() {
  static UINT codePage = ThreadAnsiCodePage();
  return codePage;
}

std::optional<std::wstring> Wide(std::string_view bytes, UINT codePage) {
  if (bytes.empty()) return std::wstring();
  const int length =
      MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = WideCharToMultiByte(ProgramCodePage(), 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(ProgramCodePage(), 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), length,
                      nullptr, nullptr);
  return narrow;
}

std::string ProgramTextFrom(std::string_view bytes, UINT codePage) {
  const std::optional<std::wstring> wide = Wide(bytes, codePage);
  return wide ? Narrow(*wide) : AsciiOnly(bytes);
}

}  // namespace

void LoadProgramCodePage() { ProgramCodePage() = ThreadAnsiCodePage(); }

std::string ProgramTextFromUtf8(std::string_view utf8) { return ProgramTextFrom(utf8, CP_UTF8); }

std::string ProgramTextFromCodePage(std::string_view bytes, unsigned codePage) {
  return ProgramTextFrom(bytes, codePage);
}

void ProgramTextFromCodePage(std::string_view bytes, unsigned codePage, std::string& text) {
  text = ProgramTextFrom(bytes, codePage);
}

std::string ProgramTextFromOem(std::string_view bytes) {
  std::string out(bytes);
  if (!out.empty()) OemToCharBuffA(out.data(), out.data(), static_cast<DWORD>(out.size()));
  return out;
}

std::string ProgramTextFromAnsi(std::string_view bytes) { return std::string(bytes); }

std::u16string DocumentText(std::string_view text) {
  const std::wstring wide = Wide(text, ProgramCodePage()).value_or(std::wstring());
  return std::u16string(wide.begin(), wide.end());
}

std::string ProgramTextFromDocumentText(std::u16string_view text) {
  return Narrow(std::wstring(text.begin(), text.end()));
}

std::size_t CharacterLength(std::string_view text) {
  if (text.empty()) return 0;
  return text.size() > 1 && IsDBCSLeadByteEx(ProgramCodePage(), static_cast<BYTE>(text[0])) ? 2 : 1;
}

}  // namespace zorva
