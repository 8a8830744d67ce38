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
  mode_t mode = 0;
  if ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) {
    va_list rest;
    va_start(rest, flags);
    mode = va_arg(rest, mode_t);
    va_end(rest);
  }
  if (VfatLike() && (flags & O_TMPFILE) == O_TMPFILE) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return static_cast<int>(syscall(SYS_openat, AT_FDCWD, path, flags, mode));
}

}  // extern "C"
