#include "help/html_help_viewer.h"

#include <gtest/gtest.h>

#include "help/help_manager.h"
#include "support/recording_engine.h"

namespace zorva {
namespace {

using test_support::EngineLog;
using test_support::RecordingEngine;
using test_support::Shows;
using test_support::ShowsIndex;

constexpr char kFolder[] = "C:\\Tempovia\\";

// A viewer registered with its own manager, over a recording engine, for
// an application whose help file the test sets.
struct RegisteredViewer {
  explicit RegisteredViewer(std::string applicationFile = "NA.chm")
      : applicationFile(std::move(applicationFile)) {
    viewer->RegisterWith(manager);
  }
  ~RegisteredViewer() { viewer->Unregister(); }

  std::string applicationFile;
  std::shared_ptr<EngineLog> log = std::make_shared<EngineLog>();
  HelpManager manager;
  std::shared_ptr<HtmlHelpViewer> viewer = std::make_shared<HtmlHelpViewer>(
      std::make_unique<RecordingEngine>(log), kFolder, [this] { return applicationFile; });
};

TEST(HtmlHelpViewerTest, ResolvesTheManagersFileElseTheApplicationsInTheProgramFolder) {
  RegisteredViewer r;
  EXPECT_EQ(r.viewer->ResolveHelpFile(), "C:\\Tempovia\\NA.chm");

  r.manager.HelpCommand(kHelpCommandQuit, 0, "D:\\Ayuda\\Otra.chm");
  EXPECT_EQ(r.viewer->ResolveHelpFile(), "D:\\Ayuda\\Otra.chm");

  RegisteredViewer none("");
  EXPECT_EQ(none.viewer->ResolveHelpFile(), "");

  // Once it has left the manager only the application's file counts.
  r.viewer->Unregister();
  EXPECT_EQ(r.viewer->ResolveHelpFile(), "C:\\Tempovia\\NA.chm");
}

TEST(HtmlHelpViewerTest, SendsEachDisplayToTheEngineWithItsCommandFileAndData) {
  RegisteredViewer r;
  r.viewer->OpenContents();
  r.viewer->OpenContext(1, "whatever.hlp");
  r.viewer->OpenKeyword("KuvHtmlHelp:  exportar ");
  r.viewer->OpenKeyword("exportar");
  r.viewer->OpenTopic("principal");
  r.viewer->OpenTopic("mensajes.HTML");
  r.viewer->CloseHelpWindows();

  const std::string file = "C:\\Tempovia\\NA.chm";
  const EngineLog expected{
      Shows(file, kEngineDisplayContents),
      Shows(file, kEngineHelpContext, 1),
      ShowsIndex(file, "exportar"),
      ShowsIndex(file, "exportar"),
      Shows(file + "::/principal.htm", kEngineDisplayTopic),
      Shows(file + "::/mensajes.HTML", kEngineDisplayTopic),
      {0, std::nullopt, kEngineCloseAll, 0, {}},
  };
  EXPECT_EQ(*r.log, expected);
}

TEST(HtmlHelpViewerTest, DeclinesAndDoesNothingForAHelpFileThatIsNotChm) {
  for (const char* file : {"NA.hlp", "NA", ""}) {
    RegisteredViewer r(file);
    EXPECT_EQ(r.viewer->CountKeywordMatches("exportar"), 0) << file;
    EXPECT_FALSE(r.viewer->CanOpenTopic("principal")) << file;
    r.viewer->OpenContents();
    r.viewer->OpenContext(1, "NA.chm");
    r.viewer->OpenKeyword("exportar");
    r.viewer->OpenTopic("principal");
    EXPECT_TRUE(r.log->empty()) << file;
  }
}

TEST(HtmlHelpViewerTest, ContextRequestsAreJudgedByTheFileNamedWithThem) {
  RegisteredViewer r("NA.hlp");
  EXPECT_TRUE(r.viewer->CanOpenContext(1, "NA.CHM"));
  EXPECT_FALSE(r.viewer->CanOpenContext(1, "NA.hlp"));
  EXPECT_FALSE(r.viewer->CanOpenContext(1, ""));
}

TEST(HtmlHelpViewerTest, WithoutAnEngineTakesRequestsAndDropsThemSilently) {
  HelpManager manager;
  auto viewer = std::make_shared<HtmlHelpViewer>(nullptr, kFolder, [] { return std::string("NA.chm"); });
  viewer->RegisterWith(manager);
  EXPECT_TRUE(viewer->CanOpenContext(1, "NA.chm"));
  EXPECT_NO_THROW(manager.ContextHelp(1, "NA.chm"));
  EXPECT_NO_THROW(manager.HelpCommand(kHelpCommandContents, 0, "NA.chm"));
  EXPECT_NO_THROW(manager.HelpCommand(kHelpCommandQuit, 0, "NA.chm"));
  viewer->Unregister();
}

TEST(HtmlHelpViewerTest, PicksItsOwnKeywordEntryByItsExactName) {
  RegisteredViewer r;
  const struct {
    std::vector<std::string> entries;
    int index;
  } cases[] = {
      {{": tablas", "KuvHtmlHelp: tablas"}, 1},
      {{"KuvHtmlHelp: tablas", ": tablas"}, 0},
      {{": tablas", "kuvhtmlhelp: tablas"}, 0},  // letter case counts here
      {{": tablas", "Otro: tablas", "KuvHtmlHelp"}, 2},
      {{"KuvHtmlHelpX: a", "KuvHtmlHelp : a", "KuvHtmlHelp:a"}, 2},
      {{}, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(r.viewer->PickKeywordEntry(c.entries), c.index) << ::testing::PrintToString(c.entries);
}

TEST(HtmlHelpViewerTest, PicksItsOwnNameAmongViewersIgnoringCase) {
  RegisteredViewer r;
  const struct {
    std::vector<std::string> names;
    int index;
  } cases[] = {
      {{"", "KuvHtmlHelp"}, 1},
      {{"KUVHTMLHELP", ""}, 0},
      {{"", "Otro"}, -1},
      {{}, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(r.viewer->PickContentsViewer(c.names), c.index) << ::testing::PrintToString(c.names);
}

}  // namespace
}  // namespace zorva
