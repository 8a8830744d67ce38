#include "textforms/system_text.h"

#include <windows.h>

#include "textforms/failure_texts.h"

namespace zorva {

std::string SystemText(std::uint32_t code) {
  char* buffer = nullptr;
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text(WithoutTrailingMarks(std::string_view(buffer ? buffer : "", length)));
  LocalFree(buffer);
  return text;
}

std::string LastSystemErrorText() { return SystemText(GetLastError()); }

}  // namespace zorva
