#pragma once

#include <optional>
#include <string>

namespace zorva {

// Of the files that an export reads from these folders (each table's file
// and the memo files beside it, as the table engine finds them), the one
// that `path` leads to however it is spelt, or nothing. A document saved
// there would replace the school's table.
std::optional<std::string> InputFileAt(const std::string& path, const std::string& tables,
                                       const std::string& solution);

}  // namespace zorva
