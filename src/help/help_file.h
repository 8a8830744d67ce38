#pragma once

#include <string>
#include <string_view>

// Rules on help file names and on the texts the viewer hands to the engine.
namespace zorva {

// Comparisons of names and entries, letters A to Z in either case alike.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
bool LessIgnoringCase(std::string_view a, std::string_view b);

// True when the name's last "." starts ".chm", in any letter case. Only the
// name is looked at, never the disk.
bool IsChmFile(std::string_view name);

// The name as the engine gets it: a bare file name lies in the program
// folder; a name with a folder part, or an empty one, stays as it is.
std::string InProgramFolder(std::string_view name, std::string_view programFolder);

// A topic as a page name: the default extension is appended unless the
// topic already ends in ".htm" or ".html" (any case).
std::string TopicPage(std::string_view topic, std::string_view defaultExtension);

// The keyword of a keyword entry "<viewer>: <keyword>": what follows the
// first ":", without the spaces and control characters around it. An entry
// without ":" is a bare keyword.
std::string KeywordOfEntry(std::string_view entry);

}  // namespace zorva
