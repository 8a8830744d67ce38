// The export run over the fixture tables, with a window that records what
// the run asks of it.
#include "export/export_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "export/com_apartment.h"
#include "export/test_files.h"
#include "textforms/failure.h"
#include "textforms/program_text.h"

namespace zorva {
namespace {

namespace fs = std::filesystem;
using test_support::FileNames;
using test_support::ReadFile;
using test_support::ScratchFolder;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class FakeWindow : public ExportWindow {
 public:
  // The answers of the save dialog, one per run; nothing is a cancel.
  void Expect(std::vector<std::optional<std::string>> answers) {
    answers_ = std::move(answers);
    asked_ = 0;
    events.clear();
  }

  std::vector<std::string> events;

  std::optional<std::string> AskExportFileName(const std::string& offered) override {
    events.push_back("ask [" + offered + "]");
    return answers_.at(asked_++);
  }
  void ShowNotice(const std::string& text) override { events.push_back("notice " + text); }
  void HideExportButton() override { events.push_back("hide button"); }
  void ShowArrowCursor() override { events.push_back("arrow"); }
  void CloseMainWindow() override { events.push_back("close"); }

 private:
  std::vector<std::optional<std::string>> answers_;
  std::size_t asked_ = 0;
};

class ExportRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* fixtures = std::getenv("ZORVA_FIXTURES");
    ASSERT_NE(fixtures, nullptr) << "ZORVA_FIXTURES names the fixture tables";
    fixtures_ = fixtures;
    output_ = ScratchFolder("zorva-run-");
    target_ = (output_ / "horario.xml").string();
  }
  void TearDown() override { fs::remove_all(output_); }

  std::unique_ptr<ExportRun> MakeRun(const std::string& set) {
    const std::string folder = (fixtures_ / set).string();
    return std::make_unique<ExportRun>(window_, folder, folder);
  }

  std::vector<bool> OpenTables(const ExportRun& run) {
    std::vector<bool> open;
    for (std::size_t i = 0; i < kSectionCount; ++i) open.push_back(run.Table(i).IsOpen());
    return open;
  }

  ComApartment apartment_;
  fs::path fixtures_;
  fs::path output_;
  std::string target_;
  FakeWindow window_;
};

const std::string kNoName = "notice Debe indicar un Nombre de Archivo";
const std::string kDone = "notice Proceso finalizado";

TEST_F(ExportRunTest, ACancelledFirstDialogAsksForANameAndReadsNothing) {
  for (const bool hostMode : {false, true}) {
    window_.Expect({std::nullopt});
    auto run = MakeRun("school");
    run->SetHostMode(hostMode);
    run->BImportarClick();
    std::vector<std::string> expected{"ask []", kNoName};
    if (hostMode) expected.push_back("close");
    EXPECT_EQ(window_.events, expected);
    EXPECT_EQ(run->ExportSucceeded(), 0);
    EXPECT_THAT(OpenTables(*run), ::testing::Each(false));
    EXPECT_THAT(FileNames(output_), ::testing::IsEmpty());
  }
}

TEST_F(ExportRunTest, ACompletedRunSavesHidesTheButtonAndReports) {
  for (const bool hostMode : {false, true}) {
    window_.Expect({target_});
    auto run = MakeRun("school");
    run->SetHostMode(hostMode);
    run->BImportarClick();
    std::vector<std::string> expected{"ask []", "hide button", "arrow", kDone};
    if (hostMode) expected.push_back("close");
    EXPECT_EQ(window_.events, expected);
    EXPECT_EQ(run->ExportSucceeded(), 1);
    EXPECT_EQ(run->ExportFileName(), target_);
    EXPECT_THAT(OpenTables(*run), ::testing::Each(false));
    EXPECT_THAT(FileNames(output_), ElementsAre("horario.xml"));
    EXPECT_NE(ReadFile(target_).find("<SOLUCF ASIG=\"MAT"), std::string::npos);
  }
}

TEST_F(ExportRunTest, ALaterCancelledDialogExportsAgainUnderTheEarlierName) {
  window_.Expect({target_, std::nullopt});
  auto run = MakeRun("school");
  run->BImportarClick();
  fs::remove(target_);
  run->BImportarClick();
  EXPECT_THAT(window_.events, ElementsAre("ask []", "hide button", "arrow", kDone, "ask [" + target_ + "]",
                                          "hide button", "arrow", kDone));
  EXPECT_TRUE(fs::exists(target_));
}

TEST_F(ExportRunTest, AFailureLeavesTheEarlierFileTheFailingTableOpenAndTheWindowAsItWas) {
  for (const bool hostMode : {false, true}) {
    { std::ofstream(target_) << "earlier"; }
    window_.Expect({target_, target_});
    auto run = MakeRun("missing-field");
    run->SetHostMode(hostMode);
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        run->BImportarClick();
        ADD_FAILURE() << "the run did not fail";
      } catch (const Failure& failure) {
        EXPECT_EQ(failure.text(), "wwTableSoluc: No se encuentra el campo 'CODGRUPO'");
      }
      EXPECT_THAT(OpenTables(*run), ElementsAre(false, false, false, false, false, true));
      EXPECT_EQ(run->ExportSucceeded(), 0);
      EXPECT_EQ(ReadFile(target_), "earlier");
      EXPECT_THAT(FileNames(output_), ElementsAre("horario.xml"));
    }
    EXPECT_THAT(window_.events, ElementsAre("ask []", "ask [" + target_ + "]"));
  }
}

// Every file under a folder with a hash of its bytes.
std::map<fs::path, std::size_t> Contents(const fs::path& folder) {
  std::map<fs::path, std::size_t> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files[entry.path()] = std::hash<std::string>{}(ReadFile(entry.path()));
  return files;
}

TEST_F(ExportRunTest, AnOutputThatIsOneOfTheHostsFilesIsRefusedBeforeAnyTableIsOpened) {
  const fs::path tables = output_ / "escuela", solution = output_ / "solucion";
  fs::copy(fixtures_ / "school", tables);
  fs::create_directory(solution);
  fs::rename(tables / "SOLUC.DBF", solution / "SOLUC.DBF");
  fs::create_hard_link(tables / "PROF.DBF", output_ / "enlace.xml");
  std::ofstream(tables / "Tempovia.ini") << "[Transformadores]\n";
  std::ofstream(tables / "PROF.MDX") << "index";
  fs::create_hard_link(tables / "PROF.MDX", output_ / "indice.xml");
  const std::string table = "es una de las tablas que se exportan";
  const std::string index = "es un archivo de índices de las tablas de Tempovia";
  const std::vector<std::pair<fs::path, std::string>> outputs{
      {output_ / "enlace.xml", table},  // a hard link
      {tables / "Asig.DBT", "es el archivo memo de una de las tablas que se exportan"},
      {tables / "." / ".." / "escuela" / "GRUP.DBF", table},  // another spelling
      {solution / "SOLUC.DBF", table},                        // the other folder
      {tables / "Tempovia.ini", "es el archivo en el que Tempovia recibe el resultado"},
      {output_ / "indice.xml", index},  // a hard link to an index file
      {solution / "SOLUC.NDX", index},  // by name, not there yet
      {tables / "nuevo.cdx. ", index},  // as Windows takes the name
#ifdef _WIN32
      {tables / "aula.dbf", table},  // letter case is ignored there
#endif
  };
  const auto before = Contents(output_);
  for (const auto& [output, what] : outputs) {
    SCOPED_TRACE(output.string());
    window_.Expect({output.string()});
    ExportRun run(window_, tables.string(), solution.string());
    run.SetHostMode(true);
    try {
      run.BImportarClick();
      ADD_FAILURE() << "the run did not fail";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.text(),
                ProgramTextFromUtf8("No se puede guardar el XML en '" + output.string() + "': " + what));
    }
    EXPECT_THAT(window_.events, ElementsAre("ask []"));
    EXPECT_EQ(run.ExportSucceeded(), 0);
    EXPECT_THAT(OpenTables(run), ::testing::Each(false));
    EXPECT_EQ(Contents(output_), before);
  }
}

}  // namespace
}  // namespace zorva
