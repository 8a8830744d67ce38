#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include "base/unique_handle.h"
#include "export/dbase/native_files.h"
#include "export/dbase/table_names.h"

namespace zorva::dbase {
namespace {

struct CloseFd {
  static void Close(int fd) { ::close(fd); }
};
using unique_fd = unique_handle<int, CloseFd, -1>;

struct CloseDir {
  static void Close(DIR* dir) { ::closedir(dir); }
};
using unique_dir = unique_handle<DIR*, CloseDir, nullptr>;

EngineStatus StatusForOpen(int error, EngineStatus whenMissing) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return whenMissing;
    case EACCES:
    case EPERM:
      return EngineStatus::AccessDenied;
    default:
      return EngineStatus::OpenFailed;
  }
}

class FileSource final : public ByteSource {
 public:
  FileSource(unique_fd fd, std::string path, std::uint64_t size)
      : fd_(std::move(fd)), path_(std::move(path)), size_(size) {}

  const std::string& Path() const override { return path_; }
  std::uint64_t Size() const override { return size_; }

  std::size_t ReadAt(std::uint64_t offset, std::span<unsigned char> out) const override {
    std::size_t done = 0;
    while (done < out.size()) {
      const ssize_t got =
          ::pread(fd_.get(), out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) RaiseEngineFailure(EngineStatus::ReadFailed, {path_}, errno);
      if (got == 0) break;
      done += static_cast<std::size_t>(got);
    }
    return done;
  }

 private:
  unique_fd fd_;
  std::string path_;
  std::uint64_t size_;
};

}  // namespace

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::string> FindFileIgnoringCase(const std::string& folder, std::string_view name) {
  const std::string exact = JoinPath(folder, name);
  struct stat info {};
  if (::stat(exact.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return exact;

  // Several spellings of one name may lie side by side; the first in byte
  // order wins, so that every run picks the same one.
  unique_dir dir(::opendir(folder.c_str()));
  if (!dir) return std::nullopt;
  std::optional<std::string> found;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view candidate = entry->d_name;
    if (!SameNameIgnoringCase(candidate, name)) continue;
    const std::string path = JoinPath(folder, candidate);
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (!found || path < *found) found = path;
  }
  return found;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

std::unique_ptr<ByteSource> OpenReadOnlyShared(const std::string& path, EngineStatus whenMissing) {
  unique_fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd) {
    const int error = errno;
    RaiseEngineFailure(StatusForOpen(error, whenMissing), {path}, error);
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) RaiseEngineFailure(EngineStatus::ReadFailed, {path}, errno);
  if (!S_ISREG(info.st_mode)) RaiseEngineFailure(EngineStatus::OpenFailed, {path});
  return std::make_unique<FileSource>(std::move(fd), path, static_cast<std::uint64_t>(info.st_size));
}

}  // namespace zorva::dbase
