#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "base/win32_handles.h"
#include "export/dbase/native_files.h"

namespace zorva::dbase {
namespace {

EngineStatus StatusForOpen(DWORD error, EngineStatus whenMissing) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return whenMissing;
    case ERROR_ACCESS_DENIED:
      return EngineStatus::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EngineStatus::FileLocked;
    default:
      return EngineStatus::OpenFailed;
  }
}

class FileSource final : public ByteSource {
 public:
  FileSource(unique_file file, std::string path, std::uint64_t size)
      : file_(std::move(file)), path_(std::move(path)), size_(size) {}

  const std::string& Path() const override { return path_; }
  std::uint64_t Size() const override { return size_; }

  std::size_t ReadAt(std::uint64_t offset, std::span<unsigned char> out) const override {
    std::size_t done = 0;
    while (done < out.size()) {
      const std::uint64_t at = offset + done;
      OVERLAPPED where{};
      where.Offset = static_cast<DWORD>(at);
      where.OffsetHigh = static_cast<DWORD>(at >> 32);
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 30));
      DWORD got = 0;
      if (!::ReadFile(file_.get(), out.data() + done, want, &got, &where)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_HANDLE_EOF) break;
        // The host locks the byte ranges of the records it is writing.
        const EngineStatus status =
            error == ERROR_LOCK_VIOLATION ? EngineStatus::FileLocked : EngineStatus::ReadFailed;
        RaiseEngineFailure(status, {path_}, static_cast<std::int32_t>(error));
      }
      if (got == 0) break;
      done += got;
    }
    return done;
  }

 private:
  unique_file file_;
  std::string path_;
  std::uint64_t size_;
};

}  // namespace

bool IsFolder(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Windows file systems ignore letter case themselves.
std::optional<std::string> FindFileIgnoringCase(const std::string& folder, std::string_view name) {
  std::string path = JoinPath(folder, name);
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return std::nullopt;
  return path;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/' && path.back() != ':') path += '\\';
  path += name;
  return path;
}

std::unique_ptr<ByteSource> OpenReadOnlyShared(const std::string& path, EngineStatus whenMissing) {
  unique_file file(::CreateFileA(path.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    RaiseEngineFailure(StatusForOpen(error, whenMissing), {path}, static_cast<std::int32_t>(error));
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size))
    RaiseEngineFailure(EngineStatus::ReadFailed, {path}, static_cast<std::int32_t>(::GetLastError()));
  return std::make_unique<FileSource>(std::move(file), path, static_cast<std::uint64_t>(size.QuadPart));
}

}  // namespace zorva::dbase
