#include <algorithm>
#include <array>
#include <charconv>
#include <memory>

#include "export/document/document_service.h"
#include "export/document/replacement_file.h"

namespace zorva {
namespace {

// Writes the XML text through a buffer. Names are ASCII; values are program
// text, UTF-8 here, and go out as UTF-8, with markup characters and the white
// space that a reader would normalise written as references.
class XmlStream {
 public:
  explicit XmlStream(ReplacementFile& file) : file_(file), buffer_(new char[kCapacity]) {}

  void Raw(std::string_view text) {
    for (std::size_t done = 0; done < text.size(); done += kChunk) {
      const std::string_view part = text.substr(done, kChunk);
      char* out = Room(part.size());
      used_ += part.copy(out, part.size());
    }
  }

  void Name(std::u16string_view name) { used_ = Narrowed(Room(name.size()), name) - buffer_.get(); }

  // ' name="value"' for each attribute.
  void Attributes(std::span<const zorva::Attribute> attributes) {
    for (const zorva::Attribute& attribute : attributes) {
      char* out = Room(attribute.name.size() + 3);
      *out++ = ' ';
      out = Narrowed(out, attribute.name);
      *out++ = '=';
      *out++ = '"';
      used_ = out - buffer_.get();
      if (const auto* text = std::get_if<std::string_view>(&attribute.value)) {
        // Nearly every value is short ASCII that XML can carry as it is. Any
        // other goes through the document's characters, which replace what
        // XML cannot carry and mend what is not UTF-8.
        if (!PlainValue(*text)) Utf16Value(DocumentValue(*text));
      } else {
        out = Room(kIntegerRoom);
        used_ = std::to_chars(out, out + kIntegerRoom, std::get<std::int32_t>(attribute.value)).ptr -
                buffer_.get();
      }
      *Room(1) = '"';
      ++used_;
    }
  }

  void Flush() {
    file_.Write(buffer_.get(), used_);
    used_ = 0;
  }

 private:
  static constexpr std::size_t kCapacity = 1 << 17;
  // A value is written in parts of this many units, each of which fits the
  // buffer however it is escaped: a unit takes at most six bytes ("&quot;").
  static constexpr std::size_t kChunk = 1 << 12;
  static constexpr std::size_t kIntegerRoom = 12;

  // The bytes of a value that are written as they are: printable ASCII but
  // the markup characters. One look-up, as most of a value's bytes are.
  static constexpr auto kItself = [] {
    std::array<bool, 256> itself{};
    for (int c = 0x20; c < 0x80; ++c) itself[c] = c != '&' && c != '<' && c != '>' && c != '"';
    return itself;
  }();

  // Room for n more bytes, flushing first when they would not fit.
  char* Room(std::size_t n) {
    if (used_ + n > kCapacity) Flush();
    return buffer_.get() + used_;
  }

  // A value of plain ASCII that fits the buffer at once; false, with nothing
  // written, for any other.
  bool PlainValue(std::string_view text) {
    if (text.size() > kChunk) return false;
    char* out = Room(text.size() * 6);
    for (const char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (kItself[byte]) {
        *out++ = c;
      } else if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte >= 0x80) {
        return false;
      } else {
        out = Escaped(out, c);
      }
    }
    used_ = out - buffer_.get();
    return true;
  }

  // UTF-16, in parts none of which ends inside a surrogate pair. A lone
  // surrogate cannot be encoded and becomes the replacement character.
  void Utf16Value(std::u16string_view text) {
    for (std::u16string_view rest = text; !rest.empty();) {
      std::size_t size = std::min(rest.size(), kChunk);
      if (size < rest.size() && rest[size - 1] >= 0xD800 && rest[size - 1] <= 0xDBFF) --size;
      Utf16Part(rest.substr(0, size));
      rest.remove_prefix(size);
    }
  }

  void Utf16Part(std::u16string_view text) {
    char* const start = Room(text.size() * 6);
    char* out = start;
    for (std::size_t i = 0; i < text.size(); ++i) {
      char32_t c = text[i];
      if (c < 0x80) {
        out = Escaped(out, static_cast<char>(c));
        continue;
      }
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
          text[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
      } else if (c >= 0xD800 && c <= 0xDFFF) {
        c = 0xFFFD;
      }
      out = Utf8(out, c);
    }
    used_ += out - start;
  }

  // Names are ASCII.
  static char* Narrowed(char* out, std::u16string_view name) {
    for (char16_t c : name) *out++ = static_cast<char>(c);
    return out;
  }

  // An ASCII character of a value, markup and white space as references.
  static char* Escaped(char* out, char c) {
    switch (c) {
      case '&':
        return Put(out, "&amp;");
      case '<':
        return Put(out, "&lt;");
      case '>':
        return Put(out, "&gt;");
      case '"':
        return Put(out, "&quot;");
      case '\t':
        return Put(out, "&#9;");
      case '\n':
        return Put(out, "&#10;");
      case '\r':
        return Put(out, "&#13;");
      default:
        *out++ = c;
        return out;
    }
  }

  template <std::size_t N>
  static char* Put(char* out, const char (&text)[N]) {
    return std::copy(text, text + N - 1, out);
  }

  static char* Utf8(char* out, char32_t c) {
    if (c < 0x800) {
      *out++ = static_cast<char>(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
      *out++ = static_cast<char>(0xE0 | (c >> 12));
      *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    } else {
      *out++ = static_cast<char>(0xF0 | (c >> 18));
      *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
    return out;
  }

  ReplacementFile& file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

class StreamDocumentService : public DocumentService {
 public:
  explicit StreamDocumentService(const std::string& fileName) : file_(fileName), out_(file_) {}

  void StartDocument(std::u16string_view root, std::span<const Attribute> attributes) override {
    root_ = root;
    out_.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<");
    out_.Name(root);
    out_.Attributes(attributes);
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
    out_.Attributes(attributes);
    out_.Raw("/>");
  }

  void Save(std::u16string_view) override {
    EndSection();
    out_.Raw("</");
    out_.Name(root_);
    out_.Raw(">\n");
    out_.Flush();
    file_.PutInPlace();
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

  ReplacementFile file_;
  XmlStream out_;
  std::u16string root_;
  std::u16string section_;
  bool sectionHasRows_ = false;
};

}  // namespace

// Written as it is built, into a file that replaces the target once it is
// whole, so that memory does not grow with the tables.
std::unique_ptr<DocumentService> MakeDocumentService(const std::string& fileName) {
  return std::make_unique<StreamDocumentService>(fileName);
}

}  // namespace zorva
