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
  Service().BeginSection(section.name, section.path);
  rowCounter_ = 0;
}

void ExportDocument::AddRow(const Section& section, const RowSource& row) {
  DocumentService& service = Service();
  if (Numbered(section)) ++rowCounter_;
  const std::size_t count = section.attributes.size();
  for (std::size_t i = 0; i < count; ++i) {
    const AttributeLayout& layout = section.attributes[i];
    Attribute& attribute = attributes_[i];
    attribute.name = layout.name;
    switch (layout.conversion) {
      case Conversion::RowNumber:
        attribute.value = rowCounter_;
        break;
      case Conversion::Integer:
        attribute.value = ColumnInteger(row.Column(layout.column));
        break;
      case Conversion::Text:
        ColumnText(row.Column(layout.column), formats_, texts_[i]);
        attribute.value = std::string_view(texts_[i]);
        break;
    }
  }
  service.AddRow(section.rowName, std::span(attributes_.data(), count));
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
