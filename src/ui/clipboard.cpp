#include "ui/clipboard.h"

#include <cstring>

namespace zorva {

unique_hglobal ClipboardTextMemory(const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  unique_hglobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  void* target = memory ? GlobalLock(memory.get()) : nullptr;
  if (!target) return {};
  std::memcpy(target, text.c_str(), bytes);
  GlobalUnlock(memory.get());
  return memory;
}

bool PutOnClipboard(HWND owner, unique_hglobal text) {
  // Everything that can fail short of the clipboard itself is done before it
  // is emptied.
  if (!text) return false;
  const open_clipboard clipboard(owner);
  if (!clipboard) return false;
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, text.get())) return false;
  text.release();  // the clipboard owns it now
  return true;
}

}  // namespace zorva
