#pragma once

#include <array>
#include <optional>

namespace zorva {

// The main window's controls, as its design names them.
enum class Control { MForm, Draw3D3, Label4, BImportar, Draw3D1, Label1, BClose, Button1 };

struct LayoutRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

// Where a control sits in its parent's client area at 96 dpi. For the
// window itself the rectangle is its client area; Label1's size follows its
// text and is given here as its design height only.
struct ControlLayout {
  Control control;
  Control parent;
  LayoutRect rect;
};

// The design of one control.
const ControlLayout& LayoutOf(Control control);

// A control's rectangle relative to the window's client area.
LayoutRect WindowRect(Control control);

// Scaling for a display of `dpi` dots per inch, on which the window font,
// scaled by dpi/96, writes "0" `textHeight` pixels high. The design is made
// for a text height of 13 at 96 dpi; at 96 dpi nothing changes.
struct LayoutScale {
  int dpi = 96;
  int textHeight = 13;
  bool scales() const { return dpi != 96; }
  int FontHeight(int designHeight) const;  // a font's character height, scaled
  int Measure(int designValue) const;      // a position or an edge, scaled
  LayoutRect Rect(const LayoutRect& design) const;
};

// The window font's character height at 96 dpi.
inline constexpr int kWindowFontHeight = 11;

// The window's identifier of a control, as its buttons' commands carry it.
constexpr int ControlId(Control control) { return 100 + static_cast<int>(control); }

// The buttons that take the keyboard focus, in tab order.
inline constexpr std::array kTabOrder{Control::BClose, Control::Button1, Control::BImportar};

// The button that gets the focus when Tab (forward) or Shift+Tab moves it
// from `current`, skipping hidden buttons; `current` may be none.
std::optional<Control> NextInTabOrder(std::optional<Control> current, bool forward, bool exportButtonShown);

// The button an arrow key moves the focus to: the next (or previous) one
// with the same parent panel, wrapping around.
Control NextInPanel(Control current, bool forward, bool exportButtonShown);

// A bitmap button's face: glyph left of its caption, `spacing` pixels
// apart, the pair centred horizontally; each centred vertically.
struct ButtonFace {
  LayoutRect glyph;
  LayoutRect caption;
};
ButtonFace LayOutButtonFace(LayoutRect face, int glyphWidth, int glyphHeight, int captionWidth,
                            int captionHeight, int spacing = 4);

}  // namespace zorva
