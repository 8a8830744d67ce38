#pragma once

#include <string>
#include <string_view>

// How table files are named: compared without regard to letter case, as the
// host's file system compares them, and with ".DBF" when no extension is given.
namespace zorva::dbase {

bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// The last part of a path: the file's name.
std::string_view FileNameOf(std::string_view path);

// The extension of the last part of a path, with its dot; empty when none.
std::string_view Extension(std::string_view name);

// The name with ".DBF" appended when it has no extension.
std::string TableFileName(std::string_view tableName);

// The folder part of a path, without its final separator unless that is the
// root's.
std::string_view FolderOf(std::string_view path);

// The file name of a path's last part with its extension replaced by another
// (".FPT" beside "Asig.DBF").
std::string SiblingFileName(std::string_view path, std::string_view extension);

}  // namespace zorva::dbase
