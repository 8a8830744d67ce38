#include "help/help_context.h"

#include <gtest/gtest.h>

#include <map>

namespace zorva {
namespace {

// Windows are numbers, 0 above the top-level window.
TEST(HelpContextTest, TheFirstContextUpTheChainAnswers) {
  const std::map<int, int> parent{{3, 2}, {2, 1}, {1, 0}, {9, 0}};
  const struct {
    const char* what;
    std::map<int, int> contexts;
    int control;
    std::optional<int> context;
  } cases[] = {
      {"every window carries 1", {{1, 1}, {2, 1}, {3, 1}}, 3, 1},
      {"only the window carries one", {{1, 1}}, 3, 1},
      {"the nearest one wins", {{1, 1}, {2, 5}}, 3, 5},
      {"the window itself", {{1, 1}}, 1, 1},
      {"none in the chain", {}, 3, std::nullopt},
      {"another top-level window without one", {{1, 1}}, 9, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto parentOf = [&](int w) { return parent.at(w); };
    const auto contextOf = [&](int w) { return c.contexts.contains(w) ? c.contexts.at(w) : 0; };
    EXPECT_EQ(ChainHelpContext(c.control, parentOf, contextOf), c.context) << c.what;
  }
}

}  // namespace
}  // namespace zorva
