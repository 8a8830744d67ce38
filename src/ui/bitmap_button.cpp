#include "ui/bitmap_button.h"

#include "textforms/failure.h"
#include "textforms/system_text.h"

namespace zorva {
namespace {

constexpr int kGlyphSize = 18;

}  // namespace

BitmapButton::BitmapButton(HWND parent, int id, const LayoutRect& rect, std::wstring caption,
                           const wchar_t* glyphResource, HFONT font, DWORD helpContext)
    : font_(font), caption_(std::move(caption)) {
  glyph_.reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), glyphResource, IMAGE_BITMAP, 0, 0, 0)));
  button_ = CreateWindowExW(0, L"BUTTON", caption_.c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | BS_NOTIFY, rect.left, rect.top,
                            rect.width, rect.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
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
      LayOutButtonFace({face.left, face.top, face.right - face.left, face.bottom - face.top}, kGlyphSize, kGlyphSize,
                       measured.right, measured.bottom);
  const int shift = pushed ? 1 : 0;

  if (glyph_) {
    const unique_hdc memory(CreateCompatibleDC(dc));
    const select_object selected(memory.get(), glyph_.get());
    const COLORREF transparent = GetPixel(memory.get(), 0, kGlyphSize - 1);
    TransparentBlt(dc, layout.glyph.left + shift, layout.glyph.top + shift, kGlyphSize, kGlyphSize, memory.get(),
                   disabled ? kGlyphSize : 0, 0, kGlyphSize, kGlyphSize, transparent);
  }

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
