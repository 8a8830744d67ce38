// zorva-export: the export of TemposZORVA, run from the command line.
#include <clocale>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "base/library_search.h"
#endif

#include "cli/settings_report.h"
#include "cli/twin_options.h"
#include "export/com_apartment.h"
#include "export/export_run.h"
#include "export/export_window.h"
#include "textforms/failure.h"
#include "textforms/failure_texts.h"
#include "textforms/regional_formats.h"
#include "zorva_version.h"

namespace zorva {
namespace {

// The window's part of the run, without a window: the file name comes from
// the command line, and the outcome is told by the exit status.
class ConsoleWindow : public ExportWindow {
 public:
  explicit ConsoleWindow(std::string output) : output_(std::move(output)) {}

  std::optional<std::string> AskExportFileName(const std::string&) override { return output_; }
  void ShowNotice(const std::string&) override {}
  void HideExportButton() override {}
  void ShowArrowCursor() override {}
  void CloseMainWindow() override {}

 private:
  std::string output_;
};

// The streams are in text mode, which ends each "\n" line the platform's
// way: a failure text's own CR LF line ends reach them as "\n".
void Print(std::FILE* stream, const std::string& text) {
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') lines += text[i];
  std::fwrite(lines.data(), 1, lines.size(), stream);
}

int Export(const CommandLine& command) {
  [[maybe_unused]] ComApartment apartment;
  ConsoleWindow window(command.output);
  ExportRun run(window, command.tables, command.solution);
  run.BImportarClick();
  return run.ExportSucceeded() == 1 ? 0 : 1;
}

int Main(const std::vector<std::string>& arguments) {
#ifdef _WIN32
  SearchLibrariesInTheSystemFolderOnly();
  // Program text is in the ANSI code page; so is what the console shows.
  SetConsoleOutputCP(GetACP());
#else
  std::setlocale(LC_ALL, "");
#endif
  const CommandLine command = RefuseInputAsOutput(ParseCommandLine(arguments));
  switch (command.action) {
    case CommandLine::Action::UsageError:
      Print(stderr, "zorva-export: " + command.error + "\n" + UsageText());
      return 2;
    case CommandLine::Action::Help:
      Print(stdout, HelpText());
      return 0;
    case CommandLine::Action::Version:
      Print(stdout, "zorva-export " ZORVA_VERSION "\n");
      return 0;
    case CommandLine::Action::ShowSettings:
      LoadRegionalFormats();
      Print(stdout, SettingsReport(CurrentRegionalFormats()));
      return 0;
    case CommandLine::Action::Export:
      break;
  }
  LoadRegionalFormats();
  try {
    return Export(command);
  } catch (const Failure& failure) {
    Print(stderr, failure.text() + "\n");
    return 1;
  } catch (const std::bad_alloc&) {
    Print(stderr, ComposeFailureText(FailureText::OutOfMemory) + "\n");
    return 1;
  } catch (const std::exception& error) {
    Print(stderr, std::string(error.what()) + "\n");
    return 1;
  }
}

}  // namespace
}  // namespace zorva

int main(int argc, char** argv) { return zorva::Main(std::vector<std::string>(argv + 1, argv + argc)); }
