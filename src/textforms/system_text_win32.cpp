#include "textforms/system_text.h"

#include <windows.h>

#include <string>

#include "textforms/failure_texts.h"

namespace zorva {

std::string SystemText(std::uint32_t code) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text(WithoutTrailingMarks(std::string_view(buffer ? buffer : "", length)));
  LocalFree(buffer);
  return text;
}

std::string LastSystemErrorText() {
  // Code 0 reads "success", which would explain nothing; a code the system
  // has no words for would leave the box empty.
  const DWORD code = GetLastError();
  std::string text = code ? SystemText(code) : std::string();
  if (text.empty()) return ComposeFailureText(FailureText::SystemError, {std::to_string(code)});
  return text;
}

}  // namespace zorva
