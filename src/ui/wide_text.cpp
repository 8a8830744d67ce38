#include "ui/wide_text.h"

#include "textforms/program_text.h"

namespace zorva {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the system's text is 16-bit");

std::wstring WideText(std::string_view programText) {
  const std::u16string text = DocumentText(programText);
  return {text.begin(), text.end()};
}

std::string ProgramText(std::wstring_view wide) {
  return ProgramTextFromDocumentText(std::u16string(wide.begin(), wide.end()));
}

}  // namespace zorva
