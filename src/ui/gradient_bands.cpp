#include "ui/gradient_bands.h"

#include <algorithm>

#include "ui/mul_div.h"

namespace zorva {
namespace {

std::uint8_t Channel(int from, int to, int k, int steps) {
  const int value = from + (steps > 0 ? MulDiv(k, to - from, steps) : 0);
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

std::vector<GradientBand> FillGradientBands(int height, Rgb bottomColour, Rgb topColour, int offset) {
  std::vector<GradientBand> bands;
  if (height <= 0) return bands;
  const int count = std::min(height, 256);
  bands.reserve(count);
  const int bottomRow = offset + height - 1;  // distance 0 above the bottom
  for (int k = 0; k < count; ++k) {
    const int from = MulDiv(k, height, count);
    const int to = MulDiv(k + 1, height, count);
    if (to <= from) continue;
    const Rgb colour{Channel(bottomColour.red, topColour.red, k, count - 1),
                     Channel(bottomColour.green, topColour.green, k, count - 1),
                     Channel(bottomColour.blue, topColour.blue, k, count - 1)};
    bands.push_back({bottomRow - to + 1, bottomRow - from + 1, colour});
  }
  return bands;
}

std::vector<GradientBand> GradientPanelBands(int height, const PanelGradient& gradient) {
  if (!gradient.midColour) return FillGradientBands(height, gradient.startColour, gradient.endColour);
  const int split = height / 2;
  std::vector<GradientBand> bands = FillGradientBands(split, *gradient.midColour, gradient.endColour);
  const std::vector<GradientBand> lower =
      FillGradientBands(height - split, gradient.startColour, *gradient.midColour, split);
  bands.insert(bands.end(), lower.begin(), lower.end());
  return bands;
}

}  // namespace zorva
