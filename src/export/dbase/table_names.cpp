#include "export/dbase/table_names.h"

#include <algorithm>

namespace zorva::dbase {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\:");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string_view Extension(std::string_view name) {
  const std::string_view last = FileNameOf(name);
  const std::size_t dot = last.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : last.substr(dot);
}

std::string TableFileName(std::string_view tableName) {
  std::string name(tableName);
  if (Extension(name).empty()) name += ".DBF";
  return name;
}

std::string_view FolderOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\:");
  if (slash == std::string_view::npos) return {};
  // A root ("/", "c:\\") and a drive ("c:") keep their last character:
  // without it they would name another folder.
  const bool root = path[slash] == ':' || slash == 0 || path[slash - 1] == ':';
  return path.substr(0, root ? slash + 1 : slash);
}

std::string SiblingFileName(std::string_view path, std::string_view extension) {
  std::string_view last = FileNameOf(path);
  last.remove_suffix(Extension(last).size());
  return std::string(last) + std::string(extension);
}

}  // namespace zorva::dbase
