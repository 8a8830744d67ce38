// Makes the file system look like vfat or a CIFS share to the program that
// it is linked into or preloaded in (LD_PRELOAD), while ZORVA_VFAT_LIKE is
// set: it offers no unnamed files and refuses to change permissions.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>

namespace {

bool VfatLike() { return std::getenv("ZORVA_VFAT_LIKE") != nullptr; }

int Open(const char* path, int flags, va_list rest) {
  const mode_t mode = (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(rest, mode_t) : 0;
  if (VfatLike() && (flags & O_TMPFILE) == O_TMPFILE) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return static_cast<int>(syscall(SYS_openat, AT_FDCWD, path, flags, mode));
}

}  // namespace

extern "C" {

int fchmod(int fd, mode_t mode) noexcept {
  if (VfatLike()) {
    errno = EPERM;
    return -1;
  }
  return static_cast<int>(syscall(SYS_fchmod, fd, mode));
}

int open(const char* path, int flags, ...) {
  va_list rest;
  va_start(rest, flags);
  const int fd = Open(path, flags, rest);
  va_end(rest);
  return fd;
}

int open64(const char* path, int flags, ...) {
  va_list rest;
  va_start(rest, flags);
  const int fd = Open(path, flags, rest);
  va_end(rest);
  return fd;
}

}  // extern "C"
