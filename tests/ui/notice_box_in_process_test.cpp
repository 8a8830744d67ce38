// The notice box as ShowNotice really builds it, read while it is open: a
// long text wraps in a column half the screen wide and the box grows in
// height, not in width; the box and its controls carry no help context.
#include <gtest/gtest.h>

#include <string>

#include "support/in_process_windows.h"
#include "ui/application.h"
#include "ui/notice_box.h"
#include "ui/notice_layout.h"
#include "ui/wide_text.h"
#include "ui/window_handles.h"

namespace zorva::test_support {
namespace {

// The box's measures, taken anew with the font its text control uses.
struct Measured {
  NoticeUnits units;
  int textWidth = 0;
  int textHeight = 0;
  int captionWidth = 0;
};

Measured MeasureWith(const LOGFONTW& logFont, const std::wstring& text) {
  const unique_hfont font(CreateFontIndirectW(&logFont));
  const window_dc screen(nullptr);
  const select_object selected(screen.get(), font.get());
  SIZE letters{};
  GetTextExtentPoint32W(screen.get(), L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  RECT wrapped{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextW(screen.get(), text.c_str(), -1, &wrapped,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  RECT caption{};
  DrawTextW(screen.get(), L"Aceptar", -1, &caption, DT_CALCRECT | DT_SINGLELINE);
  return {NoticeUnitsFrom(letters.cx, letters.cy), static_cast<int>(wrapped.right),
          static_cast<int>(wrapped.bottom), static_cast<int>(caption.right)};
}

LayoutRect Layout(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::string Words(int count) {
  static const char* const words[] = {"Los",          "datos", "del",   "horario", "se",      "han",
                                      "transformado", "para",  "ZORVA", "y",       "el",      "archivo",
                                      "queda",        "en",    "la",    "carpeta", "elegida."};
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(i ? " " : "") + words[i % std::size(words)];
  return text;
}

TEST(NoticeBoxInProcess, ALongTextWrapsAtHalfTheScreenAndTheBoxGrowsInHeightNotInWidth) {
  TheApplication().Title = "TemposZORVA";
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  const int column = GetSystemMetrics(SM_CXSCREEN) / 2;

  const struct {
    const char* what;
    std::string text;
    int lines;  // 0: three or more
  } cases[] = {
      {"short", "Proceso finalizado", 1},
      {"line breaks",
       "Primera l\xED"
       "nea\r\nSegunda\r\nTercera",
       3},
      {"long", Words(60), 0},
  };
  RECT shortClient{};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const NoticeSight sight = WatchNotice([&] { ShowNotice(c.text); });
    ASSERT_TRUE(sight.box) << "the box was never seen open";
    EXPECT_TRUE(sight.closedByEnter);
    EXPECT_EQ(sight.shownText, WideText(c.text));
    EXPECT_EQ(std::wstring(sight.font.lfFaceName), metrics.lfMessageFont.lfFaceName)
        << "the message-box font";
    EXPECT_EQ(sight.systemMenu, (std::vector<std::string>{"move", "separator", "close"}));
    EXPECT_EQ(sight.boxHelpContext, 0u);
    EXPECT_EQ(sight.textHelpContext, 0u);
    EXPECT_EQ(sight.buttonHelpContext, 0u);

    const Measured measured = MeasureWith(sight.font, WideText(c.text));
    const int lines = measured.textHeight / measured.units.ch;
    if (c.lines)
      EXPECT_EQ(lines, c.lines);
    else
      EXPECT_GE(lines, 3);
    EXPECT_LE(measured.textWidth, column);

    const NoticeLayout expected =
        LayOutNotice(measured.units, measured.textWidth, measured.textHeight, measured.captionWidth);
    EXPECT_EQ(sight.client.right, expected.clientWidth);
    EXPECT_EQ(sight.client.bottom, expected.clientHeight);
    EXPECT_EQ(Layout(sight.text), expected.text);
    EXPECT_EQ(Layout(sight.button), expected.button);

    const int margins = 2 * measured.units.Horizontal(8);
    if (c.lines == 1) shortClient = sight.client;
    if (!c.lines) {
      EXPECT_GT(sight.client.bottom, shortClient.bottom + 2 * measured.units.ch)
          << "taller by the extra lines";
      EXPECT_LE(sight.client.right, column + margins) << "no wider than the column and its margins";
      EXPECT_GT(sight.client.right, column / 2 + margins) << "the lines fill the column";
    }
  }
}

}  // namespace
}  // namespace zorva::test_support
