#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/gradient_bands.h"
#include "ui/window_handles.h"
#include "ui/window_layout.h"

namespace zorva {

// A label's colour: one the design fixes, or one of the desktop's (a
// COLOR_ index), read each time the label is painted.
struct LabelColour {
  COLORREF fixed = 0;
  int desktop = -1;
  COLORREF Current() const { return desktop < 0 ? fixed : GetSysColor(desktop); }
};

// A label painted straight onto a panel's gradient, with no box behind it.
struct PanelLabel {
  std::wstring text;
  HFONT font = nullptr;  // owned by the window
  LabelColour colour;
  LayoutRect box;         // for a label sized to its text, width 0
  bool wordWrap = false;  // breaks lines within the box and clips to it
};

// TDraw3D: a container that paints a top-to-bottom gradient and a raised
// one-pixel bevel, keeps that image, and draws its labels over it. It never
// takes the focus and never erases its background.
class GradientPanel {
 public:
  // Raises the system's failure when the panel cannot be made.
  GradientPanel(HWND parent, const LayoutRect& rect, const PanelGradient& gradient, DWORD helpContext);
  GradientPanel(const GradientPanel&) = delete;
  GradientPanel& operator=(const GradientPanel&) = delete;

  HWND handle() const { return window_.get(); }
  void AddLabel(PanelLabel label);

  // The desktop's colours changed: the bevel is drawn anew.
  void LookChanged();

 private:
  template <typename Owner>
  friend LRESULT CALLBACK RoutedWindowProc(HWND, UINT, WPARAM, LPARAM);
  void AdoptWindow(HWND window) { window_.reset(window); }
  void ReleaseWindow(HWND window) {
    if (window_.get() == window) window_.release();
  }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void PaintGradientPanel(HWND window, HDC target);
  void RedrawImage(HDC reference, int width, int height);
  void DrawLabels(HDC target) const;

  PanelGradient gradient_;
  std::vector<PanelLabel> labels_;
  unique_hwnd window_;
  unique_hbitmap image_;
  SIZE imageSize_{};
  bool imageCurrent_ = false;
};

// Draws bands into a DC, shifted down by `top`.
void FillGradientBands(HDC dc, const std::vector<GradientBand>& bands, int width, int top = 0);

// The raised bevel: highlight along the left column and top row, shadow
// along the right column and bottom row (both corners there in shadow).
void DrawRaisedBevel(HDC dc, int width, int height);

}  // namespace zorva
