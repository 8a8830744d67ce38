// The notice box's measures and its text on the clipboard.
#include <gtest/gtest.h>

#include "ui/notice_layout.h"

namespace zorva {
namespace {

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
  EXPECT_EQ(
      NoticeClipboardText("TemposZORVA", "Proceso finalizado", "&Aceptar"),
      "---------------------------\r\nTemposZORVA\r\n---------------------------\r\nProceso finalizado\r\n"
      "---------------------------\r\nAceptar   \r\n---------------------------\r\n");
}

}  // namespace
}  // namespace zorva
