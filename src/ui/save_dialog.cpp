#include "ui/save_dialog.h"

#include <commdlg.h>

#include <vector>

#include "ui/wide_text.h"

namespace zorva {

std::optional<std::string> SaveDialogXML(HWND owner, const std::string& offered) {
  // Room for the longest path the system accepts.
  std::vector<wchar_t> name(32768, L'\0');
  const std::wstring offeredWide = WideText(offered);
  offeredWide.copy(name.data(), name.size() - 1);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"*.xml\0*.xml\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrTitle = L"Guardar Archivo XML";
  dialog.lpstrDefExt = L"xml";
  dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  return ProgramText(name.data());
}

}  // namespace zorva
