#include "ui/system_menu.h"

namespace zorva {
namespace {

bool IsSeparator(HMENU menu, int position) {
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE;
  return GetMenuItemInfoW(menu, position, TRUE, &item) && (item.fType & MFT_SEPARATOR);
}

}  // namespace

void KeepOnlyMoveAndClose(HWND window) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu) return;
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    const UINT id = GetMenuItemID(menu, i);
    if (!IsSeparator(menu, i) && id != SC_MOVE && id != SC_CLOSE) DeleteMenu(menu, i, MF_BYPOSITION);
  }
  // The separators left at either end or next to each other go too.
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    const bool atAnEnd = i == 0 || i == GetMenuItemCount(menu) - 1;
    if (IsSeparator(menu, i) && (atAnEnd || IsSeparator(menu, i - 1))) DeleteMenu(menu, i, MF_BYPOSITION);
  }
}

}  // namespace zorva
