#include "ui/bitmap_button.h"

#include "textforms/failure.h"
#include "textforms/system_text.h"

namespace zorva {
namespace {

constexpr int kGlyphSize = 18;

}  // namespace

// With the display's own raster operations, so that the program imports no
// library that Windows would look for in the program folder first: the
// picture is XORed in, the mask clears what it covers, and the second XOR
// leaves the picture there and the face unchanged elsewhere.
void BitmapButton::DrawGlyph(HDC dc, int x, int y, int sourceLeft) const {
  const unique_hdc picture(CreateCompatibleDC(dc));
  const unique_hdc mask(CreateCompatibleDC(dc));
  const unique_hbitmap maskBits(CreateBitmap(kGlyphSize, kGlyphSize, 1, 1, nullptr));
  if (!picture || !mask || !maskBits) return;
  const select_object pictureSelected(picture.get(), glyph_.get());
  const select_object maskSelected(mask.get(), maskBits.get());
  // Copied to one bit a pixel, the background colour becomes 1, the rest 0.
  SetBkColor(picture.get(), GetPixel(picture.get(), 0, kGlyphSize - 1));
  BitBlt(mask.get(), 0, 0, kGlyphSize, kGlyphSize, picture.get(), sourceLeft, 0, SRCCOPY);
  // And back onto the face: 1 as white, 0 as black.
  const COLORREF background = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, kGlyphSize, kGlyphSize, picture.get(), sourceLeft, 0, SRCINVERT);
  BitBlt(dc, x, y, kGlyphSize, kGlyphSize, mask.get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, kGlyphSize, kGlyphSize, picture.get(), sourceLeft, 0, SRCINVERT);
  SetBkColor(dc, background);
  SetTextColor(dc, text);
}

BitmapButton::BitmapButton(HWND parent, int id, const LayoutRect& rect, std::wstring caption,
                           const wchar_t* glyphResource, HFONT font, DWORD helpContext)
    : font_(font), caption_(std::move(caption)) {
  glyph_.reset(
      static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), glyphResource, IMAGE_BITMAP, 0, 0, 0)));
  button_ = CreateWindowExW(
      0, L"BUTTON", caption_.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | BS_NOTIFY,
      rect.left, rect.top, rect.width, rect.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  if (!button_) throw Failure(FailureKind::System, LastSystemErrorText());
  SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SetWindowContextHelpId(button_, helpContext);
}

void BitmapButton::Draw(const DRAWITEMSTRUCT& item, bool defaultMark) const {
  const HDC dc = item.hDC;
  RECT face = item.rcItem;
  const bool pushed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  const bool focused = item.itemState & ODS_FOCUS;

  if (defaultMark) {
    FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&face, -1, -1);
  }
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

  const select_object font(dc, font_);
  RECT measured{0, 0, 0, 0};
  DrawTextW(dc, caption_.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE);
  const ButtonFace layout =
      LayOutButtonFace({face.left, face.top, face.right - face.left, face.bottom - face.top}, kGlyphSize,
                       kGlyphSize, measured.right, measured.bottom);
  const int shift = pushed ? 1 : 0;

  if (glyph_) DrawGlyph(dc, layout.glyph.left + shift, layout.glyph.top + shift, disabled ? kGlyphSize : 0);

  SetBkMode(dc, TRANSPARENT);
  // The caption takes the window font's colour.
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
  RECT caption{layout.caption.left + shift, layout.caption.top + shift, layout.caption.right() + shift,
               layout.caption.bottom() + shift};
  DrawTextW(dc, caption_.c_str(), -1, &caption, DT_SINGLELINE | DT_LEFT | DT_TOP);

  if (focused) {
    RECT mark = face;
    InflateRect(&mark, -4, -4);
    DrawFocusRect(dc, &mark);
  }
}

}  // namespace zorva
