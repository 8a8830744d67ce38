#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "textforms/failure.h"

namespace zorva {

// An attribute's value as the document takes it: a program text, which the
// service turns into the document's characters as DocumentValue does, or an
// integer that the service writes in decimal digits.
using AttributeValue = std::variant<std::string_view, std::int32_t>;

// An attribute of the root element.
struct Attribute {
  std::u16string_view name;
  AttributeValue value;
};

// A section element and the names of its rows: every row element of a
// section has the same name and the same attributes in the same order.
struct SectionNames {
  std::u16string_view name;
  std::u16string_view path;  // finds the section element again from the root
  std::u16string_view rowName;
  std::span<const std::u16string_view> attributeNames;
};

// Program text as the characters of an attribute value: DocumentText, with
// the characters that XML cannot carry (the other control characters,
// U+FFFE and U+FFFF) replaced by U+FFFD, so that every file can be read.
std::u16string DocumentValue(std::string_view text);

// The XML document service behind ExportDocument. It builds one document
// from these calls, in this order: StartDocument; per section BeginSection,
// then AddRow per row; Save. Every failure is raised as a DocumentFailure.
// A service that is dropped before Save leaves no file behind.
class DocumentService {
 public:
  virtual ~DocumentService() = default;

  // The declaration, then the root element with its attributes.
  virtual void StartDocument(std::u16string_view root, std::span<const Attribute> attributes) = 0;

  // Appends a section element to the root; later rows go into it. The
  // service keeps what it needs of the names: they are the same for every
  // row, and taken once.
  virtual void BeginSection(const SectionNames& section) = 0;

  // Appends a row element to the current section, with one value for each
  // of the section's attribute names, in their order.
  virtual void AddRow(std::span<const AttributeValue> values) = 0;

  // Writes the whole document to the file, replacing a file of that name
  // only once the document is complete. The file name is the one the
  // service was made for.
  virtual void Save(std::u16string_view fileName) = 0;
};

// The document service of this platform for a document that will be saved
// as fileName: the XML document object over COM on Windows, a streaming
// writer elsewhere.
std::unique_ptr<DocumentService> MakeDocumentService(const std::string& fileName);

// A failure of the document service, with what the service said of it.
class DocumentFailure : public Failure {
 public:
  DocumentFailure(std::string text, std::uint32_t status, std::string source = {}, std::string helpFile = {})
      : Failure(FailureKind::Document, std::move(text)),
        status_(status),
        source_(std::move(source)),
        helpFile_(std::move(helpFile)) {}

  std::uint32_t status() const noexcept { return status_; }
  const std::string& source() const noexcept { return source_; }
  const std::string& helpFile() const noexcept { return helpFile_; }

 private:
  std::uint32_t status_;
  std::string source_;
  std::string helpFile_;
};

// The text of a failed document call: the service's own description, else
// the system's text for the status, else "OLE error" with the status; the
// first two without trailing control characters, blanks and periods.
std::string DocumentFailureText(std::string_view description, std::string_view systemText,
                                std::uint32_t status);

// The text of a failure of the document's file: DocumentFailureText's, then
// a line naming the file, as the table engine names a table's file.
std::string DocumentFileFailureText(std::string_view description, std::string_view systemText,
                                    std::uint32_t status, std::string_view path);

}  // namespace zorva
