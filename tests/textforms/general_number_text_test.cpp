#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "textforms/column_text.h"

namespace zorva {
namespace {

struct NumberCase {
  double value;
  const char* text;
};

TEST(GeneralNumberTextTest, WritesAtMostFifteenDigitsInTheLayoutOfTheExponent) {
  const NumberCase cases[] = {
      {3, "3"},
      {2.5, "2,5"},
      {-0.5, "-0,5"},
      {1500, "1500"},
      {1.1, "1,1"},
      {0.1 + 0.2, "0,3"},
      {0.0001234, "0,0001234"},
      {0.00001, "1E-5"},
      {123456789012345, "123456789012345"},
      {1e15, "1E15"},
      {1234567890123456, "1,23456789012346E15"},
      {1.5e20, "1,5E20"},
      {1, "1"},
      {0.5, "0,5"},
      {0.001, "0,001"},
      {-1e-4, "-0,0001"},
      {100, "100"},
      {999999999999999.5, "1E15"},
      {2.0 / 3, "0,666666666666667"},
      {1e23, "1E23"},  // the double just below 10^23
      {5e-324, "4,94065645841247E-324"},
      {1.7976931348623157e308, "1,79769313486232E308"},
      {-0.0, "0"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const NumberCase& c : cases) EXPECT_EQ(GeneralNumberText(c.value, ','), c.text) << c.value;
}

TEST(GeneralNumberTextTest, UsesTheDecimalMarkGiven) {
  EXPECT_EQ(GeneralNumberText(0.5, '.'), "0.5");
  EXPECT_EQ(GeneralNumberText(-1.25e-7, '.'), "-1.25E-7");
}

struct CrossCheckCase {
  std::uint64_t bits;
  const char* text;
};

// Random and hand-picked doubles, the texts computed independently with
// exact rational arithmetic; they include values whose 16th digit the
// 64-bit rounding of the scaled product decides.
constexpr CrossCheckCase kCrossCheck[] = {
#include "general_number_cases.inc"
};

TEST(GeneralNumberTextTest, MatchesAnExactComputationOfTheScaling) {
  int failures = 0;
  for (const CrossCheckCase& c : kCrossCheck) {
    const double value = std::bit_cast<double>(c.bits);
    const std::string text = GeneralNumberText(value, ',');
    if (text != c.text && ++failures <= 20)
      ADD_FAILURE() << std::hexfloat << value << ": " << text << " instead of " << c.text;
  }
  EXPECT_EQ(failures, 0) << "of " << std::size(kCrossCheck);
}

TEST(FixedPointTextTest, WritesTheFractionWithoutTrailingZeros) {
  struct Case {
    std::int64_t tenThousandths;
    const char* text;
  };
  const Case cases[] = {
      {125000, "12,5"}, {500, "0,05"},       {0, "0"},      {-500, "-0,05"},
      {10000, "1"},     {-12345, "-1,2345"}, {1, "0,0001"}, {INT64_MIN, "-922337203685477,5808"},
  };
  for (const Case& c : cases) EXPECT_EQ(FixedPointText(c.tenThousandths, ','), c.text) << c.tenThousandths;
}

}  // namespace
}  // namespace zorva
