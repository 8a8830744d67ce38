#include <memory>
#include <string>

#include "export/document/document_service.h"
#include "export/document/replacement_file.h"
#include "export/document/xml_stream.h"

namespace zorva {
namespace {

class StreamDocumentService : public DocumentService {
 public:
  explicit StreamDocumentService(const std::string& fileName) : file_(fileName), out_(file_) {}

  void StartDocument(std::u16string_view root, std::span<const Attribute> attributes) override {
    root_ = XmlStream::Narrowed(root);
    out_.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<");
    out_.Raw(root_);
    out_.Attributes(attributes);
    out_.Raw(">");
  }

  void BeginSection(const SectionNames& section) override {
    EndSection();
    section_ = XmlStream::Narrowed(section.name);
    out_.Raw("<");
    out_.Raw(section_);
    sectionHasRows_ = false;
    rowStarts_ = RowStarts(section.rowName, section.attributeNames);
  }

  void AddRow(std::span<const AttributeValue> values) override {
    if (!sectionHasRows_) out_.Raw(">");
    sectionHasRows_ = true;
    out_.Row(rowStarts_, values);
  }

  void Save(std::u16string_view) override {
    EndSection();
    out_.Raw("</");
    out_.Raw(root_);
    out_.Raw(">\n");
    out_.Flush();
    file_.PutInPlace();
  }

 private:
  void EndSection() {
    if (section_.empty()) return;
    if (sectionHasRows_) {
      out_.Raw("</");
      out_.Raw(section_);
      out_.Raw(">");
    } else {
      out_.Raw("/>");
    }
    section_.clear();
  }

  ReplacementFile file_;
  XmlStream out_;
  std::string root_;
  std::string section_;  // empty before the first section
  bool sectionHasRows_ = false;
  RowStarts rowStarts_;  // of the current section
};

}  // namespace

// Written as it is built, into a file that replaces the target once it is
// whole, so that memory does not grow with the tables.
std::unique_ptr<DocumentService> MakeDocumentService(const std::string& fileName) {
  return std::make_unique<StreamDocumentService>(fileName);
}

}  // namespace zorva
