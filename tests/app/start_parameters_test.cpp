#include "app/start_parameters.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

using Tokens = std::vector<std::string>;

TEST(CommandLine, CutsTokensByTheFourRules) {
  const struct {
    std::string line;
    Tokens tokens;
  } cases[] = {
      {"", {}},
      {"prog", {"prog"}},
      {"prog importar 1A2B", {"prog", "importar", "1A2B"}},
      {"\t prog\x01\x1f importar  \r\n 1A2B  ", {"prog", "importar", "1A2B"}},
      {"\"C:\\Program Files\\TemposZORVA.exe\" importar", {"C:\\Program Files\\TemposZORVA.exe", "importar"}},
      {"prog \"importar \" x", {"prog", "importar ", "x"}},    // quoted spaces belong to the token
      {"prog im\"por tar\"X y", {"prog", "impor tarX", "y"}},  // the token goes on after the quote
      {"prog \"\" \"\"importar", {"prog", "importar"}},        // quote pairs before a token are skipped
      {"prog \"a b", {"prog", "a b"}},                         // a stretch open to the end of the line
      {"prog a \"", {"prog", "a"}},                            // a lone quote at the very end
      {"prog \xe1rbol \xf1", {"prog", "\xe1rbol", "\xf1"}},    // codes from 128 up are ordinary
  };
  for (const auto& c : cases) EXPECT_EQ(CommandLineTokens(c.line), c.tokens) << c.line;
}

TEST(CommandLine, NeverCutsADoubleByteCharacter) {
  // 0x81 leads a double-byte character here; its trail byte may be a space
  // or a quote and still belongs to it.
  const auto lead = [](unsigned char c) { return c == 0x81; };
  EXPECT_EQ(CommandLineTokens("prog a\x81  b", lead), (Tokens{"prog", "a\x81 ", "b"}));
  EXPECT_EQ(CommandLineTokens("prog \"a\x81\"b\" c", lead), (Tokens{"prog", "a\x81\"b", "c"}));
  EXPECT_EQ(CommandLineTokens("prog a\x81", lead), (Tokens{"prog", "a\x81"}));
}

TEST(CommandLine, ParameterZeroIsTheProgramFileAndTheCountFollowsTheTokens) {
  const CommandLineParameters parameters("C:\\ruta\\TemposZORVA.exe", "tempos IMPORTAR  1A2B");
  EXPECT_EQ(parameters.Count(), 2);
  EXPECT_EQ(parameters[0], "C:\\ruta\\TemposZORVA.exe");
  EXPECT_EQ(parameters[1], "IMPORTAR");
  EXPECT_EQ(parameters[2], "1A2B");
  EXPECT_EQ(parameters[3], "");
  EXPECT_EQ(CommandLineParameters("p", "tempos").Count(), 0);
}

}  // namespace
}  // namespace zorva
