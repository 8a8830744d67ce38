#include <windows.h>

#include <optional>
#include <tuple>

#include "base/win32_handles.h"
#include "export/same_file.h"

namespace zorva {
namespace {

// The volume and the file's number on it, which name the file whatever path
// leads to it.
std::optional<std::tuple<DWORD, DWORD, DWORD>> FileIdentity(const std::string& path) {
  // Neither reads nor writes, so that no other program's sharing refuses it;
  // a folder can be opened only with backup semantics.
  const unique_file file(::CreateFileA(path.c_str(), 0,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION information;
  if (!::GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
  return std::tuple{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
  const auto first = FileIdentity(a);
  return first && first == FileIdentity(b);
}

}  // namespace zorva
