// The window's portable arithmetic: MulDiv, the gradient bands, the layout
// and its scaling, the focus order, the notice box's measures and the
// failure box's period.
#include <gtest/gtest.h>

#include <algorithm>

#include "textforms/failure.h"
#include "ui/failure_display.h"
#include "ui/gradient_bands.h"
#include "ui/mul_div.h"
#include "ui/notice_layout.h"
#include "ui/window_layout.h"

namespace zorva {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZeroThroughA64BitProduct) {
  const struct {
    int a, b, c, expected;
  } cases[] = {
      {24, 13, 48, 7},    {-24, 13, 48, -7}, {24, -13, 48, -7}, {24, 13, -48, -7}, {1, 1, 3, 0},
      {2, 1, 3, 1},       {5, 1, 2, 3},      {-5, 1, 2, -3},    {0, 5, 7, 0},      {7, 0, 0, -1},
      {2000000000, 3, 4, 1500000000},  // the product needs 64 bits
  };
  for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

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
      {upper, 0, {0xFF, 0xEE, 0xDD}},  {upper, 42, {0xFF, 0xF7, 0xEE}}, {upper, 83, {0xFF, 0xFF, 0xFF}},
      {upper, 84, {0xFF, 0xFF, 0xFF}}, {upper, 126, {0xFC, 0xE9, 0xBE}}, {upper, 167, {0xF9, 0xD4, 0x7F}},
      {upper, 168, {0xF9, 0xD3, 0x7D}}, {lower, 24, {0xCE, 0xE5, 0xF2}}, {lower, 47, {0xCF, 0xF2, 0xFE}},
      {lower, 48, {0xCF, 0xF2, 0xFE}}, {lower, 72, {0xC9, 0xE0, 0xFE}}, {lower, 95, {0xC2, 0xCE, 0xFE}},
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

TEST(NoticeLayout, MeasuresInDialogUnitsAndWrapsAtHalfTheScreen) {
  const NoticeUnits units = NoticeUnitsFrom(52 * 6 + 51, 13);  // remainder dropped: cw 6
  EXPECT_EQ(units.cw, 6);
  EXPECT_EQ(units.Horizontal(8), 12);
  EXPECT_EQ(units.Vertical(14), 23);  // 22.75
  EXPECT_EQ(NoticeWrapWidth(1025), 512);

  const NoticeLayout small = LayOutNotice(units, 50, 13, 40);
  EXPECT_EQ(small.clientWidth, 75 + 2 * 12);  // the button (50 units) is wider than the text
  EXPECT_EQ(small.clientHeight, 13 + 23 + 16 + 2 * 13);
  EXPECT_EQ(small.text, (LayoutRect{12, 13, 50, 13}));
  EXPECT_EQ(small.button, (LayoutRect{12, 13 + 13 + 16, 75, 23}));

  // A wrapped text grows the box in height, not in width.
  const NoticeLayout tall = LayOutNotice(units, 512, 5 * 13, 40);
  EXPECT_EQ(tall.clientWidth, 512 + 24);
  EXPECT_EQ(tall.clientHeight - small.clientHeight, 4 * 13);
  EXPECT_EQ(tall.button.left, (536 - 75) / 2);
  // A caption wider than 50 units sets the button's width.
  EXPECT_EQ(LayOutNotice(units, 10, 13, 90).button.width, 98);
}

TEST(NoticeLayout, CopiesSevenLines) {
  EXPECT_EQ(NoticeClipboardText("TemposZORVA", "Proceso finalizado", "&Aceptar"),
            "---------------------------\r\nTemposZORVA\r\n---------------------------\r\nProceso finalizado\r\n"
            "---------------------------\r\nAceptar   \r\n---------------------------\r\n");
}

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
  for (char last : std::string("\x01\x1f !\"#$%&'()*+,-.")) EXPECT_EQ(FailureBoxText(std::string("x") + last).size(), 2u);
  EXPECT_FALSE(IsShownFailure(Failure(FailureKind::Silent, "Operación abortada")));
  EXPECT_TRUE(IsShownFailure(Failure(FailureKind::Engine, "x")));
}

}  // namespace
}  // namespace zorva
