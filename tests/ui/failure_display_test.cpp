// The failure box's text: the period it adds, and which failures it shows.
#include <gtest/gtest.h>

#include "textforms/failure.h"
#include "ui/failure_display.h"

namespace zorva {
namespace {

TEST(FailureDisplay, AppendsAPeriodOnlyAfterCharactersRankingAboveIt) {
  const struct {
    std::string text, shown;
  } cases[] = {
      {"", ""},
      {"Interface no soportada", "Interface no soportada."},
      {"No se encuentra el campo 'CODGRUPO'", "No se encuentra el campo 'CODGRUPO'"},
      {"Fin.", "Fin."},
      {"uno\r\ndos", "uno\r\ndos."},
      {"abc/", "abc/."},
      {"v\xe1lido\xe1", "v\xe1lido\xe1."},
  };
  for (const auto& c : cases) EXPECT_EQ(FailureBoxText(c.text), c.shown) << c.text;
  for (char last : std::string("\x01\x1f !\"#$%&'()*+,-."))
    EXPECT_EQ(FailureBoxText(std::string("x") + last).size(), 2u);
  EXPECT_FALSE(IsShownFailure(Failure(FailureKind::Silent, "Operación abortada")));
  EXPECT_TRUE(IsShownFailure(Failure(FailureKind::Engine, "x")));
}

}  // namespace
}  // namespace zorva
