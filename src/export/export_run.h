#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "export/document/export_document.h"
#include "export/document/section_layout.h"
#include "export/export_window.h"
#include "export/table_component.h"

namespace zorva {

// The export run: asks for the file name, refuses one of the files that it
// reads, reads the six tables section by section into the export document,
// saves it and reports the end. Its failures leave BImportarClick as they
// are raised, for the caller's event dispatch to report.
class ExportRun {
 public:
  // window: the main window's part of the run; it must outlive the run.
  // programFolder: the folder of Asig.DBF, NOMASG, PROF, GRUP and AULA (the
  // window passes the program folder). solutionFolder: the folder of SOLUC
  // (the window passes "c:\ttemp").
  ExportRun(ExportWindow& window, std::string programFolder, std::string solutionFolder);
  ~ExportRun();
  ExportRun(const ExportRun&) = delete;
  ExportRun& operator=(const ExportRun&) = delete;

  // The run. Raises the failure of any step; the state it leaves is then
  // that of the step that failed.
  void BImportarClick();

  // Set once the command line has been read; read by the run only.
  void SetHostMode(bool hostMode) { hostMode_ = hostMode; }
  bool HostMode() const { return hostMode_; }

  // The last confirmed file name; empty until the first confirmation.
  const std::string& ExportFileName() const { return exportFileName_; }

  // 1 after a completed run; 0 at first, and again after a run in HostMode
  // that ended for want of a file name.
  std::int32_t ExportSucceeded() const { return exportSucceeded_; }

  // The table component of a section, in the order of SectionLayout.
  const TwwTable& Table(std::size_t section) const { return *tables_[section]; }

  // The clock that dates the document; the local clock unless set.
  void SetClock(LocalClock clock) { clock_ = std::move(clock); }

 private:
  ExportWindow& window_;
  std::string programFolder_;
  std::string solutionFolder_;
  std::array<std::unique_ptr<TwwTable>, kSectionCount> tables_;
  LocalClock clock_ = LocalClockNow;
  bool hostMode_ = false;
  std::string exportFileName_;
  std::int32_t exportSucceeded_ = 0;
};

}  // namespace zorva
