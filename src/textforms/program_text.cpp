#include "textforms/code_page_text.h"

namespace zorva {

std::string AsciiOnly(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out)
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  return out;
}

}  // namespace zorva
