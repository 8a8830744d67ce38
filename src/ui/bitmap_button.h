#pragma once

#include <windows.h>

#include <string>

#include "ui/window_handles.h"
#include "ui/window_layout.h"

namespace zorva {

// A push button that shows a glyph left of its caption (TBitBtn). The glyph
// resource holds two 18 × 18 pictures side by side, normal then disabled;
// its bottom-left pixel's colour is transparent.
class BitmapButton {
 public:
  // Raises the system's failure when the button cannot be made.
  BitmapButton(HWND parent, int id, const LayoutRect& rect, std::wstring caption,
               const wchar_t* glyphResource, HFONT font, DWORD helpContext);
  BitmapButton(const BitmapButton&) = delete;
  BitmapButton& operator=(const BitmapButton&) = delete;

  // The button window is a child of its panel, which destroys it.
  HWND handle() const { return button_; }

  // Draws the face; `defaultMark` adds the desktop's default-button frame.
  void Draw(const DRAWITEMSTRUCT& item, bool defaultMark) const;

 private:
  // The glyph's picture that starts at `sourceLeft`, at (x, y), without its
  // transparent colour.
  void DrawGlyph(HDC dc, int x, int y, int sourceLeft) const;

  HWND button_ = nullptr;
  HFONT font_ = nullptr;
  std::wstring caption_;
  unique_hbitmap glyph_;
};

}  // namespace zorva
