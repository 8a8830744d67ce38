#pragma once

#include <optional>
#include <string>

namespace zorva {

// The files of the school's data that an export must never write over.
enum class HostFileKind {
  Table,          // one of the tables the export reads
  MemoFile,       // a memo file beside one of them
  IndexFile,      // an index file (.MDX, .CDX, .NDX) in either folder
  HandshakeFile,  // Tempovia.ini, where the host reads the outcome
};

struct HostFile {
  std::string path;
  HostFileKind kind;
};

// Of the host's files in these folders, the one that `path` leads to however
// it is spelt, or nothing. The tables and their memo files count when they
// are there; an index file and Tempovia.ini count by name too, so that a
// document is not saved as one that the host would take later. A document
// saved there would replace the school's file.
std::optional<HostFile> HostFileAt(const std::string& path, const std::string& tables,
                                   const std::string& solution);

}  // namespace zorva
