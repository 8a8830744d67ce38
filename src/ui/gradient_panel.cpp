#include "ui/gradient_panel.h"

#include "textforms/failure.h"
#include "textforms/system_text.h"
#include "ui/window_class.h"

namespace zorva {
namespace {

constexpr wchar_t kClassName[] = L"TDraw3D";

void FillPixels(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  const RECT rect{left, top, right, bottom};
  const unique_hbrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.get());
}

}  // namespace

void FillGradientBands(HDC dc, const std::vector<GradientBand>& bands, int width, int top) {
  for (const GradientBand& band : bands)
    FillPixels(dc, 0, top + band.top, width, top + band.bottom,
               RGB(band.colour.red, band.colour.green, band.colour.blue));
}

void DrawRaisedBevel(HDC dc, int width, int height) {
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  FillPixels(dc, 0, 0, 1, height - 1, highlight);
  FillPixels(dc, 0, 0, width - 1, 1, highlight);
  FillPixels(dc, width - 1, 0, width, height - 1, shadow);
  FillPixels(dc, 0, height - 1, width, height, shadow);
}

GradientPanel::GradientPanel(HWND parent, const LayoutRect& rect, const PanelGradient& gradient,
                             DWORD helpContext)
    : gradient_(gradient) {
  RegisterWindowClass(kClassName, &RoutedWindowProc<GradientPanel>);
  // The window procedure takes ownership of the handle at WM_NCCREATE.
  CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"",
                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect.left, rect.top, rect.width,
                  rect.height, parent, nullptr, GetModuleHandleW(nullptr), this);
  if (!window_) throw Failure(FailureKind::System, LastSystemErrorText());
  SetWindowContextHelpId(window_.get(), helpContext);
}

void GradientPanel::AddLabel(PanelLabel label) {
  labels_.push_back(std::move(label));
  InvalidateRect(window_.get(), nullptr, FALSE);
}

void GradientPanel::LookChanged() {
  imageCurrent_ = false;
  InvalidateRect(window_.get(), nullptr, FALSE);
}

LRESULT GradientPanel::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the image covers every pixel
    case WM_PAINT: {
      paint_dc paint(window);
      PaintGradientPanel(window, paint.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintGradientPanel(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SIZE:
      imageCurrent_ = false;
      return 0;
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLORBTN:
      // The buttons on the panel belong to the window that holds it.
      return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void GradientPanel::PaintGradientPanel(HWND window, HDC target) {
  RECT client;
  GetClientRect(window, &client);
  if (!imageCurrent_ || imageSize_.cx != client.right || imageSize_.cy != client.bottom)
    RedrawImage(target, client.right, client.bottom);
  if (!image_) return;
  const unique_hdc memory(CreateCompatibleDC(target));
  {
    const select_object selected(memory.get(), image_.get());
    BitBlt(target, 0, 0, imageSize_.cx, imageSize_.cy, memory.get(), 0, 0, SRCCOPY);
  }
  DrawLabels(target);
}

void GradientPanel::RedrawImage(HDC reference, int width, int height) {
  image_.reset(width > 0 && height > 0 ? CreateCompatibleBitmap(reference, width, height) : nullptr);
  imageSize_ = {width, height};
  imageCurrent_ = true;
  if (!image_) return;
  const unique_hdc memory(CreateCompatibleDC(reference));
  const select_object selected(memory.get(), image_.get());
  FillGradientBands(memory.get(), GradientPanelBands(height, gradient_), width);
  DrawRaisedBevel(memory.get(), width, height);
}

void GradientPanel::DrawLabels(HDC target) const {
  SetBkMode(target, TRANSPARENT);
  for (const PanelLabel& label : labels_) {
    const select_object font(target, label.font);
    SetTextColor(target, label.colour.Current());
    RECT box{label.box.left, label.box.top, label.box.right(), label.box.bottom()};
    const UINT format = label.wordWrap ? DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX
                                       : DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    DrawTextW(target, label.text.c_str(), -1, &box, format);
  }
}

}  // namespace zorva
