#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "export/dbase/byte_source.h"
#include "export/dbase/engine_failure.h"

// The file system as the engine needs it; one implementation per platform.
namespace zorva::dbase {

// Whether the path names an existing folder.
bool IsFolder(const std::string& path);

// The path of the file called `name` in `folder`, its letter case ignored
// (the host writes on a file system that ignores case), or nothing.
std::optional<std::string> FindFileIgnoringCase(const std::string& folder, std::string_view name);

// `name` in `folder`, with the platform's separator between them.
std::string JoinPath(std::string_view folder, std::string_view name);

// Opens the file for reading only, shared with every other reader and writer,
// and never locks it. A file that is not there raises `whenMissing`.
std::unique_ptr<ByteSource> OpenReadOnlyShared(const std::string& path, EngineStatus whenMissing);

}  // namespace zorva::dbase
