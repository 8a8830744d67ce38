#pragma once

// Puts a test's stand-in for a system library into the system folder for as
// long as it lives, and gives the system's own file back afterwards. The
// programs load such libraries from the system folder only; under Wine the
// test also needs the override "<name>=n" for the stand-in to be taken.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace zorva::test_support {

class SystemLibraryStandIn {
 public:
  SystemLibraryStandIn(const std::wstring& standIn, const std::wstring& name) {
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) throw std::runtime_error("no system folder");
    library_ = std::wstring(system) + L"\\" + name;
    saved_ = library_ + L".zorva-saved";
    // A test that ended without giving the file back left it saved.
    if (GetFileAttributesW(saved_.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !CopyFileW(library_.c_str(), saved_.c_str(), TRUE))
      throw std::runtime_error("cannot keep the system's library aside");
    if (!CopyFileW(standIn.c_str(), library_.c_str(), FALSE))
      throw std::runtime_error("cannot put the stand-in into the system folder");
  }
  ~SystemLibraryStandIn() { MoveFileExW(saved_.c_str(), library_.c_str(), MOVEFILE_REPLACE_EXISTING); }
  SystemLibraryStandIn(const SystemLibraryStandIn&) = delete;
  SystemLibraryStandIn& operator=(const SystemLibraryStandIn&) = delete;

 private:
  std::wstring library_;
  std::wstring saved_;
};

}  // namespace zorva::test_support
