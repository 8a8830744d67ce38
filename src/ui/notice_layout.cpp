#include "ui/notice_layout.h"

#include <algorithm>

#include "ui/mul_div.h"

namespace zorva {
namespace {

constexpr int kMargin = 8;      // horizontal and vertical, in units
constexpr int kButtonGap = 10;  // between text and button
constexpr int kButtonHeight = 14;
constexpr int kButtonWidth = 50;
constexpr int kCaptionPadding = 8;  // pixels beside a caption wider than the button

}  // namespace

int NoticeUnits::Horizontal(int units) const { return MulDiv(units, cw, 4); }
int NoticeUnits::Vertical(int units) const { return MulDiv(units, ch, 8); }

NoticeUnits NoticeUnitsFrom(int widthOf52Letters, int lineHeight) {
  return {widthOf52Letters / 52, lineHeight};
}

NoticeLayout LayOutNotice(const NoticeUnits& units, int textWidth, int textHeight, int captionWidth) {
  const int marginX = units.Horizontal(kMargin);
  const int marginY = units.Vertical(kMargin);
  const int gap = units.Vertical(kButtonGap);
  const int buttonHeight = units.Vertical(kButtonHeight);
  const int buttonWidth = std::max(units.Horizontal(kButtonWidth), captionWidth + kCaptionPadding);

  NoticeLayout layout;
  layout.clientWidth = std::max(textWidth, buttonWidth) + 2 * marginX;
  layout.clientHeight = textHeight + buttonHeight + gap + 2 * marginY;
  layout.text = {marginX, marginY, textWidth, textHeight};
  layout.button = {(layout.clientWidth - buttonWidth) / 2, marginY + textHeight + gap, buttonWidth,
                   buttonHeight};
  return layout;
}

std::string NoticeClipboardText(std::string_view caption, std::string_view text,
                                std::string_view buttonCaption) {
  const std::string rule(27, '-');
  std::string buttons;
  for (char c : buttonCaption)
    if (c != '&') buttons += c;
  buttons += "   ";
  std::string out;
  for (std::string_view line : {std::string_view(rule), caption, std::string_view(rule), text,
                                std::string_view(rule), std::string_view(buttons), std::string_view(rule)}) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace zorva
