#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <charconv>
#include <utility>

#include "export/document_service.h"
#include "textforms/program_text.h"

namespace zorva {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void RaiseSystemFailure(int error) {
  throw DocumentFailure(DocumentFailureText({}, std::strerror(error), static_cast<std::uint32_t>(error)),
                        static_cast<std::uint32_t>(error));
}

// The file a name leads to: a symbolic link is replaced where it points.
fs::path FinalPath(const fs::path& target) {
  std::error_code ignored;
  if (fs::is_symlink(target, ignored)) return fs::weakly_canonical(target, ignored);
  return target;
}

// A temporary file in the target's folder that is removed unless it has
// been moved over the target.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target) {
    const fs::path final = FinalPath(fs::path(target));
    std::string pattern = (final.parent_path() / ("." + final.filename().string() + ".XXXXXX")).string();
    fd_ = mkstemp(pattern.data());
    if (fd_ < 0) RaiseSystemFailure(errno);
    path_ = pattern;
    // The new file takes the place of the old one, with its permissions.
    struct stat existing{};
    mode_t mode;
    if (stat(final.c_str(), &existing) == 0) {
      mode = existing.st_mode & 07777;
    } else {
      const mode_t mask = umask(0);
      umask(mask);
      mode = 0666 & ~mask;
    }
    if (fchmod(fd_, mode) != 0) Fail(errno);
  }

  ~TemporaryFile() {
    if (fd_ >= 0) close(fd_);
    if (!path_.empty()) unlink(path_.c_str());
  }

  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  void Write(const char* data, std::size_t size) {
    while (size > 0) {
      const ssize_t written = write(fd_, data, size);
      if (written < 0) {
        if (errno == EINTR) continue;
        Fail(errno);
      }
      data += written;
      size -= static_cast<std::size_t>(written);
    }
  }

  // Makes the file durable, then puts it in the target's place.
  void MoveOver(const std::string& target) {
    if (fsync(fd_) != 0) Fail(errno);
    const int fd = std::exchange(fd_, -1);
    if (close(fd) != 0) Fail(errno);
    if (rename(path_.c_str(), FinalPath(fs::path(target)).c_str()) != 0) Fail(errno);
    path_.clear();
  }

 private:
  [[noreturn]] void Fail(int error) { RaiseSystemFailure(error); }

  int fd_ = -1;
  std::string path_;
};

// Writes the XML text through a buffer. Names are ASCII; values are UTF-16
// and go out as UTF-8, with markup characters and the white space that a
// reader would normalise written as references. A lone surrogate cannot be
// encoded and becomes the replacement character.
class XmlStream {
 public:
  explicit XmlStream(TemporaryFile& file) : file_(file) { buffer_.reserve(kBufferSize + kRoom); }

  void Raw(std::string_view text) {
    buffer_.append(text);
    FlushIfFull();
  }

  void Name(std::u16string_view name) {
    for (char16_t c : name) buffer_.push_back(static_cast<char>(c));
  }

  void Attribute(const zorva::Attribute& attribute) {
    buffer_.push_back(' ');
    Name(attribute.name);
    buffer_.append("=\"");
    if (const auto* text = std::get_if<std::u16string_view>(&attribute.value)) {
      Value(*text);
    } else {
      char digits[16];
      const auto end = std::to_chars(digits, digits + sizeof digits, std::get<std::int32_t>(attribute.value)).ptr;
      buffer_.append(digits, end);
    }
    buffer_.push_back('"');
    FlushIfFull();
  }

  void Flush() {
    file_.Write(buffer_.data(), buffer_.size());
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kBufferSize = 1 << 16;
  static constexpr std::size_t kRoom = 1 << 10;

  void FlushIfFull() {
    if (buffer_.size() >= kBufferSize) Flush();
  }

  void Value(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      char32_t c = text[i];
      if (c < 0x80) {
        switch (c) {
          case '&': buffer_.append("&amp;"); break;
          case '<': buffer_.append("&lt;"); break;
          case '>': buffer_.append("&gt;"); break;
          case '"': buffer_.append("&quot;"); break;
          case '\t': buffer_.append("&#9;"); break;
          case '\n': buffer_.append("&#10;"); break;
          case '\r': buffer_.append("&#13;"); break;
          default: buffer_.push_back(static_cast<char>(c));
        }
        continue;
      }
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
      } else if (c >= 0xD800 && c <= 0xDFFF) {
        c = kReplacement;
      }
      Utf8(c);
      if (buffer_.size() >= kBufferSize) Flush();
    }
  }

  void Utf8(char32_t c) {
    if (c < 0x80) {
      buffer_.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      buffer_.push_back(static_cast<char>(0xC0 | (c >> 6)));
      buffer_.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      buffer_.push_back(static_cast<char>(0xE0 | (c >> 12)));
      buffer_.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      buffer_.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      buffer_.push_back(static_cast<char>(0xF0 | (c >> 18)));
      buffer_.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      buffer_.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      buffer_.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }

  static constexpr char32_t kReplacement = 0xFFFD;

  TemporaryFile& file_;
  std::string buffer_;
};

class StreamDocumentService : public DocumentService {
 public:
  explicit StreamDocumentService(const std::string& fileName) : file_(fileName), out_(file_) {}

  void StartDocument(std::u16string_view root, std::span<const Attribute> attributes) override {
    root_ = root;
    out_.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<");
    out_.Name(root);
    for (const Attribute& attribute : attributes) out_.Attribute(attribute);
    out_.Raw(">");
  }

  void BeginSection(std::u16string_view name, std::u16string_view) override {
    EndSection();
    out_.Raw("<");
    out_.Name(name);
    section_ = name;
    sectionHasRows_ = false;
  }

  void AddRow(std::u16string_view name, std::span<const Attribute> attributes) override {
    if (!sectionHasRows_) out_.Raw(">");
    sectionHasRows_ = true;
    out_.Raw("<");
    out_.Name(name);
    for (const Attribute& attribute : attributes) out_.Attribute(attribute);
    out_.Raw("/>");
  }

  void Save(std::u16string_view fileName) override {
    EndSection();
    out_.Raw("</");
    out_.Name(root_);
    out_.Raw(">\n");
    out_.Flush();
    file_.MoveOver(ProgramTextFromDocumentText(fileName));
  }

 private:
  void EndSection() {
    if (section_.empty()) return;
    if (sectionHasRows_) {
      out_.Raw("</");
      out_.Name(section_);
      out_.Raw(">");
    } else {
      out_.Raw("/>");
    }
    section_ = {};
  }

  TemporaryFile file_;
  XmlStream out_;
  std::u16string root_;
  std::u16string section_;
  bool sectionHasRows_ = false;
};

}  // namespace

// Written as it is built, into a temporary file beside the target, so that
// memory does not grow with the tables.
std::unique_ptr<DocumentService> MakeDocumentService(const std::string& fileName) {
  return std::make_unique<StreamDocumentService>(fileName);
}

}  // namespace zorva
