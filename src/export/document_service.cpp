#include "export/document_service.h"

#include "textforms/failure_texts.h"

namespace zorva {
namespace {

std::string_view WithoutTrailingMarks(std::string_view text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.remove_suffix(1);
  return text;
}

}  // namespace

std::string DocumentFailureText(std::string_view description, std::string_view systemText,
                                std::uint32_t status) {
  if (const auto text = WithoutTrailingMarks(description); !text.empty()) return std::string(text);
  if (const auto text = WithoutTrailingMarks(systemText); !text.empty()) return std::string(text);
  return ComposeFailureText(FailureText::OleError, {status});
}

}  // namespace zorva
