#include "export/document/document_service.h"

#include "textforms/failure_texts.h"
#include "textforms/program_text.h"

namespace zorva {

std::u16string DocumentValue(std::string_view text) {
  std::u16string value = DocumentText(text);
  for (char16_t& c : value)
    if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF) c = 0xFFFD;
  return value;
}

std::string DocumentFailureText(std::string_view description, std::string_view systemText,
                                std::uint32_t status) {
  if (const auto text = WithoutTrailingMarks(description); !text.empty()) return std::string(text);
  if (const auto text = WithoutTrailingMarks(systemText); !text.empty()) return std::string(text);
  return ComposeFailureText(FailureText::OleError, {status});
}

std::string DocumentFileFailureText(std::string_view description, std::string_view systemText,
                                    std::uint32_t status, std::string_view path) {
  return DocumentFailureText(description, systemText, status) + kLineEnd + std::string(path);
}

}  // namespace zorva
