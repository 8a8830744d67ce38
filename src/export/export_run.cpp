#include "export/export_run.h"

#include <utility>

#include "export/input_files.h"
#include "textforms/failure.h"
#include "textforms/failure_texts.h"
#include "textforms/program_text.h"
#include "textforms/regional_formats.h"

namespace zorva {
namespace {

FailureText RefusalText(HostFileKind kind) {
  constexpr std::pair<HostFileKind, FailureText> kTexts[] = {
      {HostFileKind::Table, FailureText::OutputIsTable},
      {HostFileKind::MemoFile, FailureText::OutputIsMemoFile},
      {HostFileKind::IndexFile, FailureText::OutputIsIndexFile},
      {HostFileKind::HandshakeFile, FailureText::OutputIsHandshakeFile},
  };
  for (const auto& [key, text] : kTexts)
    if (key == kind) return text;
  return FailureText::OutputIsTable;
}

}  // namespace

ExportRun::ExportRun(ExportWindow& window, std::string programFolder, std::string solutionFolder)
    : window_(window), programFolder_(std::move(programFolder)), solutionFolder_(std::move(solutionFolder)) {
  for (std::size_t i = 0; i < kSectionCount; ++i) {
    const Section& section = SectionLayout[i];
    tables_[i] = std::make_unique<TwwTable>(
        std::string(section.component), std::string(section.tableName), section.tableType,
        section.folder == TableFolder::Solution ? solutionFolder_ : std::string());
  }
}

ExportRun::~ExportRun() = default;

void ExportRun::BImportarClick() {
  if (std::optional<std::string> chosen = window_.AskExportFileName(exportFileName_))
    exportFileName_ = *chosen;
  if (exportFileName_.empty()) {
    window_.ShowNotice(ProgramTextFromUtf8("Debe indicar un Nombre de Archivo"));
    if (hostMode_) {
      exportSucceeded_ = 0;
      window_.CloseMainWindow();
    }
    return;
  }
  // The document would replace a file of the school's: refused before anything is read.
  if (const auto hostFile = HostFileAt(exportFileName_, programFolder_, solutionFolder_))
    throw Failure(FailureKind::Document, ComposeFailureText(RefusalText(hostFile->kind), {exportFileName_}));

  const std::string target = exportFileName_;
  ExportDocument document([&target] { return MakeDocumentService(target); }, CurrentRegionalFormats(),
                          clock_);
  document.StartDocument();
  for (std::size_t i = 0; i < kSectionCount; ++i) {
    const Section& section = SectionLayout[i];
    TwwTable& table = *tables_[i];
    document.BeginSection(section);
    if (section.folder == TableFolder::Program) table.SetDatabaseName(programFolder_);
    table.Open();
    table.First();
    while (!table.AtEnd()) {
      document.AddRow(section, table);
      table.Next();
    }
    table.Close();
  }
  document.SaveDocument(exportFileName_);

  window_.HideExportButton();
  window_.ShowArrowCursor();
  exportSucceeded_ = 1;
  window_.ShowNotice(ProgramTextFromUtf8("Proceso finalizado"));
  if (hostMode_) window_.CloseMainWindow();
}

}  // namespace zorva
