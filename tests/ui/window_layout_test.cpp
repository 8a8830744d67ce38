// The window's layout and scaling, the focus order and the buttons' faces.
#include <gtest/gtest.h>

#include "ui/window_layout.h"

namespace zorva {
namespace {

TEST(WindowLayout, PlacesTheControlsInWindowCoordinatesAndScalesByTheTextHeight) {
  EXPECT_EQ(WindowRect(Control::Label4), (LayoutRect{83, 24, 473, 33}));
  EXPECT_EQ(WindowRect(Control::BImportar), (LayoutRect{256, 120, 89, 25}));
  EXPECT_EQ(WindowRect(Control::BClose), (LayoutRect{256, 200, 89, 25}));
  EXPECT_EQ(WindowRect(Control::Button1), (LayoutRect{265, 235, 75, 18}));
  EXPECT_EQ(WindowRect(Control::Label1).left, 8);
  EXPECT_EQ(WindowRect(Control::Label1).top, 240);

  const LayoutScale at96{96, 15};  // at 96 dpi nothing changes, whatever the font
  EXPECT_EQ(at96.Rect(LayoutOf(Control::BClose).rect), (LayoutRect{256, 32, 89, 25}));
  const LayoutScale at120{120, 16};
  EXPECT_EQ(at120.FontHeight(11), 14);
  // Edges are scaled, sizes follow: 240*16/13 = 295.4, 329*16/13 = 404.9,
  // 145*16/13 = 178.5.
  EXPECT_EQ(at120.Rect({240, 120, 89, 25}), (LayoutRect{295, 148, 110, 30}));
}

TEST(WindowLayout, TabAndArrowsMoveTheFocusAmongTheShownButtons) {
  using C = Control;
  EXPECT_EQ(NextInTabOrder(std::nullopt, true, true), C::BClose);
  EXPECT_EQ(NextInTabOrder(C::BClose, true, true), C::Button1);
  EXPECT_EQ(NextInTabOrder(C::Button1, true, true), C::BImportar);
  EXPECT_EQ(NextInTabOrder(C::BImportar, true, true), C::BClose);
  EXPECT_EQ(NextInTabOrder(C::BClose, false, true), C::BImportar);
  EXPECT_EQ(NextInTabOrder(C::Button1, true, false), C::BClose);
  EXPECT_EQ(NextInPanel(C::BClose, true, true), C::Button1);
  EXPECT_EQ(NextInPanel(C::BClose, false, true), C::Button1);
  EXPECT_EQ(NextInPanel(C::Button1, true, true), C::BClose);
  EXPECT_EQ(NextInPanel(C::BImportar, true, true), C::BImportar);
}

TEST(WindowLayout, CentresTheGlyphAndCaptionAsOneBlock) {
  const ButtonFace face = LayOutButtonFace({0, 0, 89, 25}, 18, 18, 40, 13);
  EXPECT_EQ(face.glyph, (LayoutRect{13, 3, 18, 18}));
  EXPECT_EQ(face.caption, (LayoutRect{35, 6, 40, 13}));
}

}  // namespace
}  // namespace zorva
