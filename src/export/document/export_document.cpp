#include "export/document/export_document.h"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

#include "textforms/column_text.h"
#include "textforms/program_text.h"

namespace zorva {

ExportDocument::ExportDocument(DocumentServiceFactory makeService, const RegionalFormats& formats,
                               LocalClock clock)
    : makeService_(std::move(makeService)), formats_(formats), clock_(std::move(clock)) {}

void ExportDocument::StartDocument() {
  service_.reset();
  service_ = makeService_();

  // The date and the time are two readings of the clock.
  const DateTime date = clock_();
  const DateTime time = clock_();
  const std::string fecha = PictureText(formats_.ShortDatePicture, date, formats_) + ' ' +
                            PictureText(formats_.LongTimePicture, time, formats_);
  const Attribute root[]{{u"autor", "TEMPOVIA"}, {u"fecha", fecha}, {u"modulo", "HORARIOS"}};
  service_->StartDocument(u"SERVICIO", root);
}

void ExportDocument::BeginSection(const Section& section) {
  const std::size_t count = section.attributes.size();
  for (std::size_t i = 0; i < count; ++i) attributeNames_[i] = section.attributes[i].name;
  Service().BeginSection(
      {section.name, section.path, section.rowName, std::span(attributeNames_.data(), count)});
  numbered_ = Numbered(section);
  rowCounter_ = 0;
  source_ = nullptr;
}

void ExportDocument::AddRow(const Section& section, const RowSource& row) {
  DocumentService& service = Service();
  if (numbered_) ++rowCounter_;
  // Each column is found by name where the source's first row reads it,
  // so a missing column fails in its place among the conversions.
  if (&row != source_) {
    places_.fill(kNotFound);
    source_ = &row;
  }
  const std::size_t count = section.attributes.size();
  for (std::size_t i = 0; i < count; ++i) {
    const AttributeLayout& layout = section.attributes[i];
    if (layout.conversion == Conversion::RowNumber) {
      values_[i] = rowCounter_;
      continue;
    }
    if (places_[i] == kNotFound) places_[i] = row.ColumnIndex(layout.column);
    ColumnValue& column = columns_[i];
    row.ReadColumn(places_[i], column);
    if (layout.conversion == Conversion::Integer)
      values_[i] = ColumnInteger(column);
    else
      values_[i] = ColumnText(column, formats_, texts_[i]);
  }
  service.AddRow(std::span(values_.data(), count));
}

void ExportDocument::SaveDocument(const std::string& fileName) { Service().Save(DocumentText(fileName)); }

DateTime LocalClockNow() {
#ifdef _WIN32
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
#else
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  localtime_r(&now.tv_sec, &local);
  return {local.tm_year + 1900,
          local.tm_mon + 1,
          local.tm_mday,
          local.tm_hour,
          local.tm_min,
          local.tm_sec,
          static_cast<int>(now.tv_nsec / 1000000)};
#endif
}

DocumentService& ExportDocument::Service() {
  if (!service_) throw std::logic_error("the export document has not been started");
  return *service_;
}

}  // namespace zorva
