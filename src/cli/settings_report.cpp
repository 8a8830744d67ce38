#include "cli/settings_report.h"

#include <span>

namespace zorva {
namespace {

std::string Mark(char mark) { return mark ? std::string(1, mark) : std::string(); }

std::string Names(std::span<const std::string> names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ",") + name;
  return list;
}

}  // namespace

std::string SettingsReport(const RegionalFormats& formats) {
  const std::pair<const char*, std::string> lines[]{
      {"DecimalMark", Mark(formats.DecimalMark)},
      {"DateMark", Mark(formats.DateMark)},
      {"TimeMark", Mark(formats.TimeMark)},
      {"ShortDatePicture", formats.ShortDatePicture},
      {"LongDatePicture", formats.LongDatePicture},
      {"ShortTimePicture", formats.ShortTimePicture},
      {"LongTimePicture", formats.LongTimePicture},
      {"AmText", formats.AmText},
      {"PmText", formats.PmText},
      {"MonthShortNames", Names(formats.MonthShortNames)},
      {"MonthLongNames", Names(formats.MonthLongNames)},
      {"DayShortNames", Names(formats.DayShortNames)},
      {"DayLongNames", Names(formats.DayLongNames)},
  };
  std::string report;
  for (const auto& [key, value] : lines) report += std::string(key) + "=" + value + "\n";
  return report;
}

}  // namespace zorva
