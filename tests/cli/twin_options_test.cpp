#include "cli/twin_options.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zorva {
namespace {

namespace fs = std::filesystem;
using Action = CommandLine::Action;

std::string Absolute(const std::string& path) { return fs::absolute(fs::path(path)).string(); }

TEST(CommandLineTest, ReadsTheFoldersAndTheOutput) {
  struct Case {
    std::vector<std::string> arguments;
    std::string tables, solution, output;
  };
  const Case cases[]{
      {{"--output", "horario.xml"}, ".", ".", Absolute("horario.xml")},
      {{"--output", "horario"}, ".", ".", Absolute("horario.xml")},
      {{"--output=horario.txt", "--tables=datos"}, "datos", "datos", Absolute("horario.txt")},
      {{"--tables", "datos", "--solution", "ttemp", "--output", "salida/horario"},
       "datos",
       "ttemp",
       Absolute("salida/horario.xml")},
      {{"--solution", "ttemp", "--output", "h.v2.xml"}, ".", "ttemp", Absolute("h.v2.xml")},
  };
  for (const Case& c : cases) {
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.action, Action::Export) << command.error;
    EXPECT_EQ(command.tables, c.tables);
    EXPECT_EQ(command.solution, c.solution);
    EXPECT_EQ(command.output, c.output);
  }
}

TEST(CommandLineTest, TellsTheOtherActionsAndTheMistakes) {
  struct Case {
    std::vector<std::string> arguments;
    Action action;
    std::string error;
  };
  const Case cases[]{
      {{"--help"}, Action::Help, ""},
      {{"--output", "x", "-h"}, Action::Help, ""},
      {{"--version"}, Action::Version, ""},
      {{"--show-settings"}, Action::ShowSettings, ""},
      {{}, Action::UsageError, "--output is required"},
      {{"--tables", "datos"}, Action::UsageError, "--output is required"},
      {{"--output"}, Action::UsageError, "--output needs a value"},
      {{"--output="}, Action::UsageError, "--output needs a value"},
      {{"--output", "a", "--output", "b"}, Action::UsageError, "--output given twice"},
      {{"--salida", "a"}, Action::UsageError, "unknown option '--salida'"},
      {{"horario.xml"}, Action::UsageError, "unknown option 'horario.xml'"},
      {{"--show-settings=yes"}, Action::UsageError, "unknown option '--show-settings=yes'"},
      {{"--output", "salida/"}, Action::UsageError, "--output names a folder, not a file"},
      {{"--output", "."}, Action::UsageError, "--output names a folder, not a file"},
      {{"--output=.."}, Action::UsageError, "--output names a folder, not a file"},
  };
  for (const Case& c : cases) {
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.action, c.action) << c.error;
    EXPECT_EQ(command.error, c.error);
  }
}

}  // namespace
}  // namespace zorva
