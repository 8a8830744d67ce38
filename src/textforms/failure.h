#pragma once

#include <exception>
#include <string>
#include <utility>

namespace zorva {

// What kind of failure it is. The kind decides only whether it is shown: the
// silent kind (an abandoned operation) never is.
enum class FailureKind {
  Silent,       // an abandoned operation; nothing is shown
  Conversion,   // a value that cannot take the form asked of it
  Engine,       // the table engine: a table missing, locked or damaged
  Document,     // the XML document service
  CommandLine,  // the program's own command line
  Handshake,    // the host's handshake file
  Help,         // the help layer
  System,       // anything else that the system refused
};

// Every failure in the program is raised as a Failure (or a subclass that
// keeps more detail), carrying its kind and its composed text in the
// program's 8-bit text. Only the event dispatch of the window and the main
// function of the command-line twin catch it.
class Failure : public std::exception {
 public:
  Failure(FailureKind kind, std::string text) : kind_(kind), text_(std::move(text)) {}

  FailureKind kind() const noexcept { return kind_; }
  const std::string& text() const noexcept { return text_; }
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  FailureKind kind_;
  std::string text_;
};

}  // namespace zorva
