#pragma once

#include <string>
#include <string_view>

#include "ui/window_layout.h"

namespace zorva {

// The notice box's measures, in dialog units of its font: cw is the average
// width of the 52 letters A-Z a-z (remainder dropped), ch the line height.
struct NoticeUnits {
  int cw = 0;
  int ch = 0;
  int Horizontal(int units) const;  // MulDiv(units, cw, 4)
  int Vertical(int units) const;    // MulDiv(units, ch, 8)
};
NoticeUnits NoticeUnitsFrom(int widthOf52Letters, int lineHeight);

// The width of the column in which the text is wrapped.
inline int NoticeWrapWidth(int screenWidth) { return screenWidth / 2; }

struct NoticeLayout {
  int clientWidth = 0;
  int clientHeight = 0;
  LayoutRect text;
  LayoutRect button;
};

// Lays out the box around a text that measures textWidth × textHeight when
// wrapped, with a button whose caption is captionWidth pixels wide.
NoticeLayout LayOutNotice(const NoticeUnits& units, int textWidth, int textHeight, int captionWidth);

// What Ctrl+C puts on the clipboard: rules of 27 hyphens around the caption,
// the text and the button captions (each followed by three spaces, "&"
// removed), every line ended by CR LF.
std::string NoticeClipboardText(std::string_view caption, std::string_view text,
                                std::string_view buttonCaption);

}  // namespace zorva
