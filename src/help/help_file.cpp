#include "help/help_file.h"

#include <algorithm>

namespace zorva {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// From the last "." to the end; empty when there is no ".".
std::string_view Extension(std::string_view name) {
  const auto dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, {}, Lower, Lower);
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::lexicographical_compare(a, b, {}, Lower, Lower);
}

bool IsChmFile(std::string_view name) {
  const auto extension = Extension(name);
  return !extension.empty() && EqualIgnoringCase(extension, ".chm");
}

std::string InProgramFolder(std::string_view name, std::string_view programFolder) {
  const bool hasFolder = name.find_first_of("\\/:") != std::string_view::npos;
  if (name.empty() || hasFolder) return std::string(name);
  return std::string(programFolder) + std::string(name);
}

std::string TopicPage(std::string_view topic, std::string_view defaultExtension) {
  const auto extension = Extension(topic);
  std::string page(topic);
  if (!EqualIgnoringCase(extension, ".htm") && !EqualIgnoringCase(extension, ".html"))
    page += defaultExtension;
  return page;
}

std::string KeywordOfEntry(std::string_view entry) {
  if (const auto colon = entry.find(':'); colon != std::string_view::npos) entry.remove_prefix(colon + 1);
  while (!entry.empty() && IsBlank(entry.front())) entry.remove_prefix(1);
  while (!entry.empty() && IsBlank(entry.back())) entry.remove_suffix(1);
  return std::string(entry);
}

}  // namespace zorva
