#include "ui/window_layout.h"

#include <algorithm>
#include <iterator>

#include "ui/mul_div.h"

namespace zorva {
namespace {

constexpr std::array kLayout{
    ControlLayout{Control::MForm, Control::MForm, {0, 0, 632, 266}},
    ControlLayout{Control::Draw3D3, Control::MForm, {16, 0, 601, 169}},
    ControlLayout{Control::Label4, Control::Draw3D3, {67, 24, 473, 33}},
    ControlLayout{Control::BImportar, Control::Draw3D3, {240, 120, 89, 25}},
    ControlLayout{Control::Draw3D1, Control::MForm, {0, 168, 633, 97}},
    ControlLayout{Control::Label1, Control::Draw3D1, {8, 72, 0, 13}},
    ControlLayout{Control::BClose, Control::Draw3D1, {256, 32, 89, 25}},
    ControlLayout{Control::Button1, Control::Draw3D1, {265, 67, 75, 18}},
};

bool Shown(Control control, bool exportButtonShown) {
  return control != Control::BImportar || exportButtonShown;
}

}  // namespace

const ControlLayout& LayoutOf(Control control) {
  return *std::find_if(kLayout.begin(), kLayout.end(),
                       [control](const ControlLayout& c) { return c.control == control; });
}

LayoutRect WindowRect(Control control) {
  const ControlLayout& layout = LayoutOf(control);
  if (control == Control::MForm) return layout.rect;
  LayoutRect rect = layout.rect;
  const LayoutRect parent = WindowRect(layout.parent);
  if (layout.parent != Control::MForm) {
    rect.left += parent.left;
    rect.top += parent.top;
  }
  return rect;
}

int LayoutScale::FontHeight(int designHeight) const {
  return scales() ? MulDiv(designHeight, dpi, 96) : designHeight;
}

int LayoutScale::Measure(int designValue) const {
  return scales() ? MulDiv(designValue, textHeight, 13) : designValue;
}

LayoutRect LayoutScale::Rect(const LayoutRect& design) const {
  const int left = Measure(design.left);
  const int top = Measure(design.top);
  return {left, top, Measure(design.right()) - left, Measure(design.bottom()) - top};
}

std::optional<Control> NextInTabOrder(std::optional<Control> current, bool forward, bool exportButtonShown) {
  const int count = static_cast<int>(kTabOrder.size());
  int index = forward ? -1 : 0;
  if (current) {
    const auto at = std::find(kTabOrder.begin(), kTabOrder.end(), *current);
    if (at != kTabOrder.end()) index = static_cast<int>(std::distance(kTabOrder.begin(), at));
  }
  for (int step = 1; step <= count; ++step) {
    const int next = ((index + (forward ? step : -step)) % count + count) % count;
    if (Shown(kTabOrder[next], exportButtonShown)) return kTabOrder[next];
  }
  return std::nullopt;
}

Control NextInPanel(Control current, bool forward, bool exportButtonShown) {
  const Control panel = LayoutOf(current).parent;
  std::optional<Control> next = current;
  for (std::size_t i = 0; i < kTabOrder.size(); ++i) {
    next = NextInTabOrder(next, forward, exportButtonShown);
    if (!next || *next == current) break;
    if (LayoutOf(*next).parent == panel) return *next;
  }
  return current;
}

ButtonFace LayOutButtonFace(LayoutRect face, int glyphWidth, int glyphHeight, int captionWidth,
                            int captionHeight, int spacing) {
  const int blockWidth = glyphWidth + spacing + captionWidth;
  const int left = face.left + (face.width - blockWidth) / 2;
  ButtonFace out;
  out.glyph = {left, face.top + (face.height - glyphHeight) / 2, glyphWidth, glyphHeight};
  out.caption = {left + glyphWidth + spacing, face.top + (face.height - captionHeight) / 2, captionWidth,
                 captionHeight};
  return out;
}

}  // namespace zorva
