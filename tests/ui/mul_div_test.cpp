// MulDiv, a × b / c rounded, the window's gradients and scaling use.
#include <gtest/gtest.h>

#include "ui/mul_div.h"

namespace zorva {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZeroThroughA64BitProduct) {
  const struct {
    int a, b, c, expected;
  } cases[] = {
      {24, 13, 48, 7},
      {-24, 13, 48, -7},
      {24, -13, 48, -7},
      {24, 13, -48, -7},
      {1, 1, 3, 0},
      {2, 1, 3, 1},
      {5, 1, 2, 3},
      {-5, 1, 2, -3},
      {0, 5, 7, 0},
      {7, 0, 0, -1},
      {2000000000, 3, 4, 1500000000},  // the product needs 64 bits
  };
  for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

}  // namespace
}  // namespace zorva
