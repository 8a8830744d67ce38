#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zorva {

// Whether a byte opens a double-byte character in the program's code page.
using LeadBytePredicate = std::function<bool(unsigned char)>;

// Cuts a process's command line into its tokens, the program itself first:
// characters 1 to 32 and pairs of double quotes are skipped before a token; a
// token runs to the next character of 32 or below, except inside a quoted
// stretch, which runs to the next double quote or the end of the line (the
// quotes are dropped). A double-byte character is never cut. The tokens end
// at the first empty one, which only the end of the line (or a lone quote at
// its very end) yields.
std::vector<std::string> CommandLineTokens(std::string_view line, const LeadBytePredicate& isLeadByte = {});

// The parameters of a command line: parameter 0 is the program file's full
// path as the system reports it, the others are the tokens after the first.
class CommandLineParameters {
 public:
  CommandLineParameters(std::string programPath, std::string_view commandLine,
                        const LeadBytePredicate& isLeadByte = {});

  int Count() const { return static_cast<int>(parameters_.size()) - 1; }
  // Parameter i; an index beyond the count gives the empty text.
  const std::string& operator[](int i) const;

 private:
  std::vector<std::string> parameters_;
};

}  // namespace zorva
