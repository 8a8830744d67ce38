#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zorva {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// One horizontal band of a gradient: rows [top, bottom) counted from the top
// of the painted area, in one colour.
struct GradientBand {
  int top = 0;
  int bottom = 0;
  Rgb colour;
  friend bool operator==(const GradientBand&, const GradientBand&) = default;
};

// The bands of a rectangle of the given height whose top row starts at
// `offset`, shading from `bottomColour` at its bottom row to `topColour` at
// its top row: at most 256 bands, none for a height of 0 or less.
std::vector<GradientBand> FillGradientBands(int height, Rgb bottomColour, Rgb topColour, int offset = 0);

// A panel's top-to-bottom gradient: with a middle colour the upper half
// (rows 0 to height div 2 - 1) shades from the middle up to `endColour`, the
// lower half from `startColour` at the bottom up to the middle.
struct PanelGradient {
  Rgb startColour;               // bottom edge
  std::optional<Rgb> midColour;  // centre, if any
  Rgb endColour;                 // top edge
};
std::vector<GradientBand> GradientPanelBands(int height, const PanelGradient& gradient);

}  // namespace zorva
