#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zorva {

// A file written beside its target that then takes the target's place in
// one step, so that the target is always either the earlier file or the
// whole new one. Until then the file has no name where the file system
// allows it; elsewhere it has a hidden one, which a signal that ends the
// process removes first. A file never put in place leaves nothing behind,
// save a hidden one on a file system without unnamed files when the process
// is killed outright. Every failure is a DocumentFailure naming the target.
class ReplacementFile {
 public:
  // target: where the file goes; a symbolic link there is replaced where it
  // points. The new file takes the permissions of the file it replaces.
  explicit ReplacementFile(std::string target);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  void Write(const char* data, std::size_t size);

  // Makes the file durable, then puts it in the target's place.
  void PutInPlace();

 private:
  [[noreturn]] void Fail(int error) const;
  void CreateHidden();
  void NameUnnamed();
  void WriteBehind();

  std::string target_;            // as the caller named it, for failures
  std::filesystem::path final_;   // the file that is replaced
  std::filesystem::path folder_;  // where the new file is written
  int fd_ = -1;
  std::string hidden_;         // the file's name until it is in place; empty while it has none
  std::uint64_t written_ = 0;  // bytes written so far
  std::uint64_t started_ = 0;  // of which the disk was asked to take
};

}  // namespace zorva
