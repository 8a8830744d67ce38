#pragma once

#include <cctype>
#include <string_view>

// Pictures compare their ASCII letters without regard to case.
namespace zorva {

inline char LowerLetter(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

inline bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Whether the text begins with `lower`, which is written in lower case.
inline bool StartsWithLetters(std::string_view text, std::string_view lower) {
  if (text.size() < lower.size()) return false;
  for (std::size_t i = 0; i < lower.size(); ++i)
    if (LowerLetter(text[i]) != lower[i]) return false;
  return true;
}

}  // namespace zorva
