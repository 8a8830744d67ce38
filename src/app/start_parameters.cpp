#include "app/start_parameters.h"

namespace zorva {
namespace {

bool IsBlank(unsigned char c) { return c >= 1 && c <= 32; }

class Cursor {
 public:
  Cursor(std::string_view line, const LeadBytePredicate& isLeadByte) : line_(line), isLeadByte_(isLeadByte) {}

  // Skips blanks and pairs of double quotes standing before a token.
  void SkipToToken() {
    for (;;) {
      while (!AtEnd() && IsBlank(Peek())) ++at_;
      if (at_ + 1 < line_.size() && line_[at_] == '"' && line_[at_ + 1] == '"')
        at_ += 2;
      else
        return;
    }
  }

  std::string Token() {
    std::string token;
    while (!AtEnd() && !IsBlank(Peek())) {
      if (line_[at_] == '"') {
        ++at_;
        while (!AtEnd() && line_[at_] != '"') TakeCharacter(token);
        if (!AtEnd()) ++at_;  // the closing quote
      } else {
        TakeCharacter(token);
      }
    }
    return token;
  }

  bool AtEnd() const { return at_ >= line_.size() || line_[at_] == '\0'; }

 private:
  unsigned char Peek() const { return static_cast<unsigned char>(line_[at_]); }

  // Takes one character, both bytes of a double-byte one.
  void TakeCharacter(std::string& token) {
    const bool lead = isLeadByte_ && isLeadByte_(Peek());
    token += line_[at_++];
    if (lead && !AtEnd()) token += line_[at_++];
  }

  std::string_view line_;
  const LeadBytePredicate& isLeadByte_;
  std::size_t at_ = 0;
};

}  // namespace

std::vector<std::string> CommandLineTokens(std::string_view line, const LeadBytePredicate& isLeadByte) {
  std::vector<std::string> tokens;
  Cursor cursor(line, isLeadByte);
  for (;;) {
    cursor.SkipToToken();
    std::string token = cursor.Token();
    if (token.empty()) break;
    tokens.push_back(std::move(token));
  }
  return tokens;
}

CommandLineParameters::CommandLineParameters(std::string programPath, std::string_view commandLine,
                                             const LeadBytePredicate& isLeadByte) {
  std::vector<std::string> tokens = CommandLineTokens(commandLine, isLeadByte);
  parameters_.push_back(std::move(programPath));
  for (std::size_t i = 1; i < tokens.size(); ++i) parameters_.push_back(std::move(tokens[i]));
}

const std::string& CommandLineParameters::operator[](int i) const {
  static const std::string empty;
  return i >= 0 && i < static_cast<int>(parameters_.size()) ? parameters_[i] : empty;
}

}  // namespace zorva
