#include "app/window_number.h"

#include <string>

#include "textforms/failure.h"
#include "textforms/failure_texts.h"

namespace zorva {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::uint32_t ReadWindowNumber(std::string_view parameter) {
  std::string text = "$";
  text += parameter;  // appended, not "$" + ...: g++ 12 warns falsely about that
  std::uint64_t value = 0;
  bool valid = !parameter.empty();
  for (char c : parameter) {
    const int digit = HexDigit(c);
    if (digit < 0) {
      valid = false;
      break;
    }
    value = value * 16 + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFu) {
      valid = false;
      break;
    }
  }
  if (!valid)
    throw Failure(FailureKind::CommandLine, ComposeFailureText(FailureText::InvalidInteger, {text}));
  return static_cast<std::uint32_t>(value);
}

}  // namespace zorva
