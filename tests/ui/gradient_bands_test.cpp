// The gradient panels' bands.
#include <gtest/gtest.h>

#include <algorithm>

#include "ui/gradient_bands.h"

namespace zorva {
namespace {

Rgb RowColour(const std::vector<GradientBand>& bands, int row) {
  for (const GradientBand& band : bands)
    if (row >= band.top && row < band.bottom) return band.colour;
  return {1, 2, 3};
}

TEST(GradientBands, PaintTheListedRowsOfBothPanels) {
  const auto upper = GradientPanelBands(169, {{0xF9, 0xD3, 0x7D}, Rgb{0xFF, 0xFF, 0xFF}, {0xFF, 0xEE, 0xDD}});
  const auto lower = GradientPanelBands(97, {{0xC2, 0xCD, 0xFE}, Rgb{0xCF, 0xF2, 0xFE}, {0xCC, 0xD8, 0xE6}});
  const struct {
    const std::vector<GradientBand>& bands;
    int row;
    Rgb colour;
  } cases[] = {
      {upper, 0, {0xFF, 0xEE, 0xDD}},   {upper, 42, {0xFF, 0xF7, 0xEE}},  {upper, 83, {0xFF, 0xFF, 0xFF}},
      {upper, 84, {0xFF, 0xFF, 0xFF}},  {upper, 126, {0xFC, 0xE9, 0xBE}}, {upper, 167, {0xF9, 0xD4, 0x7F}},
      {upper, 168, {0xF9, 0xD3, 0x7D}}, {lower, 24, {0xCE, 0xE5, 0xF2}},  {lower, 47, {0xCF, 0xF2, 0xFE}},
      {lower, 48, {0xCF, 0xF2, 0xFE}},  {lower, 72, {0xC9, 0xE0, 0xFE}},  {lower, 95, {0xC2, 0xCE, 0xFE}},
  };
  for (const auto& c : cases) EXPECT_EQ(RowColour(c.bands, c.row), c.colour) << c.row;
}

TEST(GradientBands, CoverEveryRowOnceAndNeverMoreThan256Bands) {
  for (int height : {1, 2, 255, 256, 257, 1000}) {
    const auto bands = FillGradientBands(height, {0, 0, 0}, {255, 255, 255});
    EXPECT_LE(bands.size(), 256u);
    std::vector<int> covered(height, 0);
    for (const GradientBand& band : bands)
      for (int row = band.top; row < band.bottom; ++row) ++covered[row];
    EXPECT_EQ(std::count(covered.begin(), covered.end(), 1), height) << height;
    EXPECT_EQ(bands.front().bottom, height) << "band 0 is the bottom one";
    EXPECT_EQ(bands.front().colour, (Rgb{0, 0, 0}));
  }
  EXPECT_TRUE(FillGradientBands(0, {}, {}).empty());
}

}  // namespace
}  // namespace zorva
