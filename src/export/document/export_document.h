#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "export/document/document_service.h"
#include "export/document/row_source.h"
#include "export/document/section_layout.h"
#include "textforms/column_value.h"
#include "textforms/regional_formats.h"

namespace zorva {

// Makes the service that a new document is built with.
using DocumentServiceFactory = std::function<std::unique_ptr<DocumentService>()>;

// Reads the local date and time.
using LocalClock = std::function<DateTime()>;

DateTime LocalClockNow();

// The export document: the root "SERVICIO" and its six sections, built row
// by row through a document service and written once by SaveDocument.
class ExportDocument {
 public:
  // formats must outlive the document; the clock gives "fecha".
  ExportDocument(DocumentServiceFactory makeService, const RegionalFormats& formats,
                 LocalClock clock = LocalClockNow);

  // A new document with its declaration and root; an earlier one is dropped.
  void StartDocument();

  // Appends the section element and starts its row count again.
  void BeginSection(const Section& section);

  // One row element from the row's columns, appended to the current section.
  // The columns are found by name in the first row from a row source, and
  // taken from the same places in the rows after it from that source: a
  // source's columns keep their places until the next section.
  void AddRow(const Section& section, const RowSource& row);

  // Writes the document to the file it was made for.
  void SaveDocument(const std::string& fileName);

 private:
  DocumentService& Service();

  DocumentServiceFactory makeService_;
  const RegionalFormats& formats_;
  LocalClock clock_;
  std::unique_ptr<DocumentService> service_;
  std::int32_t rowCounter_ = 0;
  bool numbered_ = false;                                           // of the current section
  std::array<std::u16string_view, kMaxAttributes> attributeNames_;  // of the current section

  // Where each attribute's column lies in the rows from the current source.
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
  const RowSource* source_ = nullptr;
  std::array<std::size_t, kMaxAttributes> places_{};

  // Reused from row to row, so that a row costs no allocation once the
  // texts have grown to their widths; an attribute's text is the column's
  // own where it has one.
  std::array<ColumnValue, kMaxAttributes> columns_;
  std::array<std::string, kMaxAttributes> texts_;
  std::array<AttributeValue, kMaxAttributes> values_;
};

}  // namespace zorva
