#pragma once

// The streaming writer's XML text: the row and attribute starts made once
// per section, and the buffer that values are escaped into.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "export/document/document_service.h"
#include "export/document/replacement_file.h"
#include "textforms/utf8.h"

namespace zorva {

// What every row of a section begins with ("<" and the row name), and what
// each of its attributes begins with (' name="'), made once per section.
// Each is kept with kRoom bytes readable behind it, so that a short one is
// copied as one block of that size, without a call.
class RowStarts {
 public:
  static constexpr std::size_t kRoom = 16;

  RowStarts() = default;
  RowStarts(std::u16string_view rowName, std::span<const std::u16string_view> attributeNames) {
    Add(u"<", rowName, u"");
    for (const std::u16string_view name : attributeNames) Add(u" ", name, u"=\"");
    bytes_.append(kRoom, '\0');
  }

  std::string_view Row() const { return Start(0); }
  std::string_view Attribute(std::size_t i) const { return Start(i + 1); }

 private:
  // Names are ASCII.
  void Add(std::u16string_view before, std::u16string_view name, std::u16string_view after) {
    const std::size_t offset = bytes_.size();
    for (const std::u16string_view part : {before, name, after}) bytes_.append(part.begin(), part.end());
    starts_.push_back({offset, bytes_.size() - offset});
  }

  std::string_view Start(std::size_t i) const {
    const auto [offset, size] = starts_.at(i);
    return std::string_view(bytes_).substr(offset, size);
  }

  std::string bytes_;
  std::vector<std::pair<std::size_t, std::size_t>> starts_;  // offset and size of each
};

// Writes the XML text through a buffer. Names are ASCII; values are program
// text, UTF-8 here, and go out as UTF-8, with markup characters and the white
// space that a reader would normalise written as references.
class XmlStream {
 public:
  explicit XmlStream(ReplacementFile& file) : file_(file), buffer_(new char[kCapacity]) {}

  void Raw(std::string_view text) {
    if (text.size() <= kChunk) {
      used_ += text.copy(Room(text.size()), text.size());
      return;
    }
    for (std::size_t done = 0; done < text.size(); done += kChunk) Raw(text.substr(done, kChunk));
  }

  // Names are ASCII.
  static std::string Narrowed(std::u16string_view name) { return std::string(name.begin(), name.end()); }

  // ' name="value"' for each attribute of the root.
  void Attributes(std::span<const zorva::Attribute> attributes) {
    for (const zorva::Attribute& attribute : attributes) {
      Raw(" " + Narrowed(attribute.name) + "=\"");
      Value(attribute.value);
    }
  }

  // A row element: its start, each attribute's start and value, and its end.
  // Nearly every value is short text that XML carries as it is, written
  // here with its attribute's start and quote under one check of the room.
  void Row(const RowStarts& starts, std::span<const AttributeValue> values) {
    Start(starts.Row());
    for (std::size_t i = 0; i < values.size(); ++i) {
      const std::string_view start = starts.Attribute(i);
      const auto* text = std::get_if<std::string_view>(&values[i]);
      if (text && text->size() <= kChunk) {
        char* const out = Start(Room(RowStarts::kRoom + start.size() + text->size() * 6 + 1), start);
        if (char* end = Direct(out, *text)) {
          *end++ = '"';
          used_ = end - buffer_.get();
          continue;
        }
        used_ = out - buffer_.get();
      } else {
        Start(start);
      }
      Value(values[i]);
    }
    Raw("/>");
  }

  // A value and the quote that closes it.
  void Value(const AttributeValue& value) {
    if (const auto* text = std::get_if<std::string_view>(&value)) {
      // Any text that cannot go out directly goes through the document's
      // characters, which replace what XML cannot carry and mend what is
      // not UTF-8.
      if (!DirectValue(*text)) Utf16Value(DocumentValue(*text));
    } else {
      char* out = Room(kIntegerRoom);
      used_ = std::to_chars(out, out + kIntegerRoom, std::get<std::int32_t>(value)).ptr - buffer_.get();
    }
    *Room(1) = '"';
    ++used_;
  }

  void Flush() {
    file_.Write(buffer_.get(), used_);
    used_ = 0;
  }

 private:
  // Written out a megabyte at a time: fewer, larger writes take the file
  // into the system's cache in less time than 128 KB ones did.
  static constexpr std::size_t kCapacity = 1 << 20;
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

  // A start of RowStarts.
  void Start(std::string_view start) {
    used_ = Start(Room(RowStarts::kRoom + start.size()), start) - buffer_.get();
  }

  // The start copied to out, which has room for kRoom bytes more than it.
  static char* Start(char* out, std::string_view start) {
    if (start.size() <= RowStarts::kRoom)
      std::memcpy(out, start.data(), RowStarts::kRoom);
    else
      std::memcpy(out, start.data(), start.size());
    return out + start.size();
  }

  // A value that fits the buffer at once and whose characters go out as
  // they are, but for the escapes; false, with nothing written, for any
  // other.
  bool DirectValue(std::string_view text) {
    if (text.size() > kChunk) return false;
    char* end = Direct(Room(text.size() * 6), text);
    if (!end) return false;
    used_ = end - buffer_.get();
    return true;
  }

  // The text written to out, which has room for six bytes a byte, when its
  // characters go out as they are but for the escapes: ASCII, and
  // well-formed UTF-8 of any character but U+FFFE and U+FFFF. Null for any
  // other text.
  static char* Direct(char* out, std::string_view text) {
    // Most values are plain throughout: their bytes are copied in a loop of
    // their own, and the rest of the others is written out of line.
    std::size_t plain = 0;
    while (plain < text.size() && kItself[static_cast<unsigned char>(text[plain])]) {
      out[plain] = text[plain];
      ++plain;
    }
    return plain == text.size() ? out + plain : Escaping(out + plain, text.substr(plain));
  }

  // Direct's text from its first byte that is not written as it is.
  [[gnu::noinline]] static char* Escaping(char* out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
      const char c = text[i];
      const auto byte = static_cast<unsigned char>(c);
      if (kItself[byte]) {
        *out++ = c;
        ++i;
      } else if (byte < 0x80) {
        if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') return nullptr;
        out = Escaped(out, c);
        ++i;
      } else {
        const std::string_view sequence = text.substr(i, Utf8SequenceLength(text.substr(i)));
        if (sequence.size() < 2 || sequence == "\xEF\xBF\xBE" || sequence == "\xEF\xBF\xBF") return nullptr;
        out = std::copy(sequence.begin(), sequence.end(), out);
        i += sequence.size();
      }
    }
    return out;
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
      if (text[i] < 0x80)
        out = Escaped(out, static_cast<char>(text[i]));
      else
        out = EncodeUtf8(CodePointAt(text, i), out);
    }
    used_ += out - start;
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

  ReplacementFile& file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace zorva
