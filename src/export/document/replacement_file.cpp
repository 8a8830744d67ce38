#include "export/document/replacement_file.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include "export/document/document_service.h"

namespace zorva {
namespace {

namespace fs = std::filesystem;

// The signals by which a user or the system stops a run and that end the
// process by default.
constexpr std::array kEndingSignals{SIGINT, SIGTERM, SIGHUP};

sigset_t EndingSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kEndingSignals) sigaddset(&set, signal);
  return set;
}

// Holds the ending signals back while it lives; they arrive afterwards.
class SignalsHeldBack {
 public:
  SignalsHeldBack() {
    const sigset_t set = EndingSignals();
    pthread_sigmask(SIG_BLOCK, &set, &saved_);
  }
  ~SignalsHeldBack() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
  SignalsHeldBack(const SignalsHeldBack&) = delete;
  SignalsHeldBack& operator=(const SignalsHeldBack&) = delete;

 private:
  sigset_t saved_;
};

// The hidden files that an ending signal removes before the process ends.
// A signal handler can only read fixed storage, so this is process-wide; it
// changes only while the signals are held back, so that the handler never
// sees half a name.
constexpr std::size_t kHiddenSlots = 4;
char gHidden[kHiddenSlots][PATH_MAX];
std::size_t gHiddenCount = 0;
std::array<struct sigaction, kEndingSignals.size()> gPreviousActions;
std::array<bool, kEndingSignals.size()> gHandled;

extern "C" void RemoveHiddenAndEnd(int signal) {
  for (const char* name : gHidden)
    if (*name) unlink(name);
  // The default action, back since the handler was entered, ends the
  // process once the handler returns.
  raise(signal);
}

// Only a signal that would end the process is taken over: one that is
// ignored or handled elsewhere is left as it is.
void HandleEndingSignals() {
  struct sigaction action {};
  action.sa_handler = RemoveHiddenAndEnd;
  action.sa_mask = EndingSignals();
  action.sa_flags = SA_RESETHAND;
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    sigaction(kEndingSignals[i], nullptr, &gPreviousActions[i]);
    gHandled[i] = !(gPreviousActions[i].sa_flags & SA_SIGINFO) && gPreviousActions[i].sa_handler == SIG_DFL;
    if (gHandled[i]) sigaction(kEndingSignals[i], &action, nullptr);
  }
}

void RestoreEndingSignals() {
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i)
    if (gHandled[i]) sigaction(kEndingSignals[i], &gPreviousActions[i], nullptr);
}

// A name that does not fit, or one more than the slots hold, stays behind
// on a signal as it did before there were slots.
void RemoveOnSignal(const std::string& path) {
  if (path.size() >= PATH_MAX) return;
  SignalsHeldBack held;
  for (char* slot : gHidden) {
    if (*slot) continue;
    std::memcpy(slot, path.c_str(), path.size() + 1);
    if (gHiddenCount++ == 0) HandleEndingSignals();
    return;
  }
}

void KeepOnSignal(const std::string& path) {
  SignalsHeldBack held;
  for (char* slot : gHidden) {
    if (!*slot || path != slot) continue;
    *slot = '\0';
    if (--gHiddenCount == 0) RestoreEndingSignals();
    return;
  }
}

// The file a name leads to: a symbolic link is replaced where it points.
fs::path FinalPath(const fs::path& target) {
  std::error_code ignored;
  if (fs::is_symlink(target, ignored)) return fs::weakly_canonical(target, ignored);
  return target;
}

// The permissions of the file that is replaced, else those of a new file.
mode_t ModeFor(const fs::path& final) {
  struct stat existing {};
  if (stat(final.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

ReplacementFile::ReplacementFile(std::string target)
    : target_(std::move(target)), final_(FinalPath(fs::path(target_))), folder_(final_.parent_path()) {
  if (folder_.empty()) folder_ = ".";
  const mode_t mode = ModeFor(final_);
#ifdef O_TMPFILE
  fd_ = open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
#endif
  // Where the file system has no unnamed files, or refuses one for any other
  // reason, a hidden file serves; its failure says why.
  if (fd_ < 0) CreateHidden();
  // File systems such as vfat and CIFS shares refuse permissions; the file
  // then has those that they give every file.
  fchmod(fd_, mode);
}

ReplacementFile::~ReplacementFile() {
  if (fd_ >= 0) close(fd_);
  if (hidden_.empty()) return;
  unlink(hidden_.c_str());
  KeepOnSignal(hidden_);
}

void ReplacementFile::Write(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd_, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    data += written;
    size -= static_cast<std::size_t>(written);
    written_ += static_cast<std::uint64_t>(written);
  }
  WriteBehind();
}

void ReplacementFile::PutInPlace() {
  if (fsync(fd_) != 0) Fail(errno);
  // A signal from here on ends the process with the whole file in place.
  SignalsHeldBack held;
  if (hidden_.empty()) NameUnnamed();
  if (close(std::exchange(fd_, -1)) != 0) Fail(errno);
  if (rename(hidden_.c_str(), final_.c_str()) != 0) Fail(errno);
  KeepOnSignal(std::exchange(hidden_, {}));
}

void ReplacementFile::Fail(int error) const {
  const auto status = static_cast<std::uint32_t>(error);
  throw DocumentFailure(DocumentFileFailureText({}, std::strerror(error), status, target_), status);
}

void ReplacementFile::CreateHidden() {
  std::string pattern = (folder_ / ("." + final_.filename().string() + ".XXXXXX")).string();
  SignalsHeldBack held;
  fd_ = mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) Fail(errno);
  hidden_ = std::move(pattern);
  RemoveOnSignal(hidden_);
}

// Gives the unnamed file a hidden name beside the target, from which it is
// renamed over the target: a link cannot replace a file.
void ReplacementFile::NameUnnamed() {
  const std::string self = "/proc/self/fd/" + std::to_string(fd_);
  const std::string stem =
      (folder_ / ("." + final_.filename().string() + "." + std::to_string(getpid()))).string();
  for (int attempt = 0;; ++attempt) {
    std::string name = stem + "-" + std::to_string(attempt);
    // The descriptor itself when the process may link it, else its name in /proc.
    if (linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0 ||
        linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      hidden_ = std::move(name);
      RemoveOnSignal(hidden_);
      return;
    }
    if (errno != EEXIST || attempt == 100) Fail(errno);
  }
}

// Where the system can, the disk starts taking each few megabytes as soon as
// they are written, while the export goes on, so that the final fsync has
// little left to wait for. Only a request: fsync reports any failure.
void ReplacementFile::WriteBehind() {
#ifdef SYNC_FILE_RANGE_WRITE
  constexpr std::uint64_t kWriteBehind = 8 << 20;
  if (written_ - started_ < kWriteBehind) return;
  sync_file_range(fd_, static_cast<off_t>(started_), static_cast<off_t>(written_ - started_),
                  SYNC_FILE_RANGE_WRITE);
  started_ = written_;
#endif
}

}  // namespace zorva
