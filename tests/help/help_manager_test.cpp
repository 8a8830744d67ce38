#include "help/help_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "help/program_help.h"
#include "support/recording_engine.h"
#include "textforms/failure.h"

namespace zorva {
namespace {

using test_support::EngineLog;
using test_support::RecordingEngine;
using test_support::Shows;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::NiceMock;
using ::testing::Return;

constexpr char kFolder[] = "C:\\Tempovia\\";
constexpr char kHelpFile[] = "C:\\Tempovia\\NA.chm";

// A viewer with the basic face (as the classic viewer has) or, through
// Face, with more.
template <typename Face = ICustomHelpViewer>
class MockViewerOf : public Face {
 public:
  MOCK_METHOD(std::string, QueryName, (), (const, override));
  MOCK_METHOD(int, CountKeywordMatches, (const std::string&), (override));
  MOCK_METHOD(std::vector<std::string>, ListKeywordEntries, (const std::string&), (override));
  MOCK_METHOD(bool, OffersContents, (), (override));
  MOCK_METHOD(void, OpenContents, (), (override));
  MOCK_METHOD(void, OpenKeyword, (const std::string&), (override));
  MOCK_METHOD(void, AssignViewerId, (int), (override));
  MOCK_METHOD(void, CloseHelpWindows, (), (override));
  MOCK_METHOD(void, DetachFromManager, (), (override));
};
using MockViewer = MockViewerOf<>;

class MockExtendedViewer : public MockViewerOf<IExtendedHelpViewer> {
 public:
  MOCK_METHOD(bool, CanOpenTopic, (const std::string&), (override));
  MOCK_METHOD(void, OpenTopic, (const std::string&), (override));
  MOCK_METHOD(bool, CanOpenContext, (int, const std::string&), (override));
  MOCK_METHOD(void, OpenContext, (int, const std::string&), (override));
};

class MockSelector : public IHelpSelector {
 public:
  MOCK_METHOD(int, PickKeywordEntry, (const std::vector<std::string>&), (override));
  MOCK_METHOD(int, PickContentsViewer, (const std::vector<std::string>&), (override));
};

// The manager with a classic-like viewer registered first and the HTML Help
// viewer after it, the latter installed as selector, over a recording engine.
struct TwoViewers : ::testing::Test {
  TwoViewers() {
    ON_CALL(*classic, OffersContents).WillByDefault(Return(true));
    manager.RegisterViewer(classic);
    html->RegisterWith(manager);
  }
  ~TwoViewers() override { html->Unregister(); }

  std::shared_ptr<EngineLog> log = std::make_shared<EngineLog>();
  HelpManager manager;
  std::shared_ptr<NiceMock<MockViewer>> classic = std::make_shared<NiceMock<MockViewer>>();
  std::shared_ptr<HtmlHelpViewer> html = std::make_shared<HtmlHelpViewer>(
      std::make_unique<RecordingEngine>(log), kFolder, [] { return std::string("NA.chm"); });
};

std::string FailureTextOf(const std::function<void()>& request) {
  try {
    request();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.kind(), FailureKind::Help);
    return failure.text();
  }
  return "(no failure)";
}

TEST(ProgramHelpTest, F1ShowsTheTopicOfContextOneOfTheProgramsHelpFile) {
  auto log = std::make_shared<EngineLog>();
  const std::string applicationFile = kProgramHelpFile;
  ProgramHelp help(std::make_unique<RecordingEngine>(log), kFolder, applicationFile);
  help.ContextHelp(1);
  EXPECT_EQ(*log, EngineLog{Shows(kHelpFile, kEngineHelpContext, 1)});
}

TEST(ProgramHelpTest, TheContentsCommandServesTheApplicationsHelpFileOnceThereIsOne) {
  auto log = std::make_shared<EngineLog>();
  std::string applicationFile;
  ProgramHelp help(std::make_unique<RecordingEngine>(log), kFolder, applicationFile);
  help.HelpCommand(kHelpCommandContents, 0);  // no help file yet: nothing
  EXPECT_TRUE(log->empty());
  applicationFile = kProgramHelpFile;
  help.HelpCommand(kHelpCommandContents, 0);
  EXPECT_EQ(*log, EngineLog{Shows(kHelpFile, kEngineDisplayContents)});
}

TEST(ProgramHelpTest, AtTheEndTheEngineGoesWithoutClosingHelpWindows) {
  auto log = std::make_shared<EngineLog>();
  auto ended = std::make_shared<bool>(false);
  const std::string applicationFile = kProgramHelpFile;
  {
    ProgramHelp help(std::make_unique<RecordingEngine>(log, ended), kFolder, applicationFile);
    help.HelpCommand(kHelpCommandContents, 0);
  }
  EXPECT_TRUE(*ended);
  EXPECT_EQ(*log, EngineLog{Shows(kHelpFile, kEngineDisplayContents)});
}

TEST(HelpManagerTest, AManagerThatGoesFirstDetachesItsViewers) {
  auto log = std::make_shared<EngineLog>();
  auto html = std::make_shared<HtmlHelpViewer>(std::make_unique<RecordingEngine>(log), kFolder,
                                               [] { return std::string("NA.chm"); });
  std::make_unique<HelpManager>()->RegisterViewer(html);
  EXPECT_EQ(*log, (EngineLog{{0, std::nullopt, kEngineCloseAll, 0, {}}}));
  EXPECT_EQ(html->ResolveHelpFile(), kHelpFile);  // no manager left to ask
}

TEST_F(TwoViewers, ContentsGoToTheHtmlViewerThroughTheSelector) {
  EXPECT_CALL(*classic, QueryName).WillRepeatedly(Return(""));
  EXPECT_CALL(*classic, OpenContents).Times(0);
  manager.HelpCommand(kHelpCommandContents, 0, "NA.chm");
  EXPECT_EQ(*log, EngineLog{Shows(kHelpFile, kEngineDisplayContents)});
}

TEST_F(TwoViewers, ContextGoesToTheFirstExtendedViewerThatAccepts) {
  manager.HelpCommand(kHelpCommandContext, 1, "NA.chm");
  manager.ContextHelp(1, "NA.hlp");  // declined: nothing
  EXPECT_EQ(*log, EngineLog{Shows(kHelpFile, kEngineHelpContext, 1)});
}

TEST_F(TwoViewers, CommandTwoClosesTheWindowsOfEveryViewer) {
  EXPECT_CALL(*classic, CloseHelpWindows);
  manager.HelpCommand(kHelpCommandQuit, 0, "");
  EXPECT_EQ(*log, (EngineLog{{0, std::nullopt, kEngineCloseAll, 0, {}}}));
}

TEST_F(TwoViewers, TheViewerLeavesTheListsAtProgramEnd) {
  html->Unregister();
  EXPECT_EQ(FailureTextOf([&] { manager.ContextHelp(1, "NA.chm"); }), "No context-sensitive help installed");
  EXPECT_CALL(*classic, OpenContents);  // the one viewer left
  manager.HelpCommand(kHelpCommandContents, 0, "NA.chm");
  EXPECT_TRUE(log->empty());
}

TEST_F(TwoViewers, AKeywordBothViewersKnowIsChosenAmongSortedEntries) {
  EXPECT_CALL(*classic, CountKeywordMatches("tablas")).WillOnce(Return(1));
  EXPECT_CALL(*classic, ListKeywordEntries("tablas")).WillOnce(Return(std::vector<std::string>{": tablas"}));
  EXPECT_CALL(*classic, OpenKeyword).Times(0);
  manager.KeywordHelp("tablas", "");
  EXPECT_EQ(*log, EngineLog{test_support::ShowsIndex(kHelpFile, "tablas")});
}

TEST_F(TwoViewers, AKeywordOneViewerKnowsGoesToItBare) {
  EXPECT_CALL(*classic, CountKeywordMatches).WillOnce(Return(0));
  manager.KeywordHelp(" tablas ", "");
  EXPECT_EQ(*log, EngineLog{test_support::ShowsIndex(kHelpFile, "tablas")});
}

TEST_F(TwoViewers, AKeywordNoViewerKnowsFails) {
  EXPECT_CALL(*classic, CountKeywordMatches).WillOnce(Return(0));
  EXPECT_EQ(FailureTextOf([&] { manager.KeywordHelp("tablas", "NA.hlp"); }), "No help found for tablas");
}

TEST_F(TwoViewers, ATopicGoesToTheExtendedViewer) {
  manager.TopicHelp("principal", "");
  EXPECT_EQ(*log, EngineLog{Shows(std::string(kHelpFile) + "::/principal.htm", kEngineDisplayTopic)});
}

TEST(HelpManagerTest, WithoutExtendedViewersContextAndTopicRequestsFail) {
  HelpManager manager;
  manager.RegisterViewer(std::make_shared<NiceMock<MockViewer>>());
  EXPECT_EQ(FailureTextOf([&] { manager.ContextHelp(1, "NA.chm"); }), "No context-sensitive help installed");
  EXPECT_EQ(FailureTextOf([&] { manager.HelpCommand(kHelpCommandContext, 1, "NA.chm"); }),
            "No context-sensitive help installed");
  EXPECT_EQ(FailureTextOf([&] { manager.TopicHelp("principal", "NA.chm"); }),
            "No topic-based help system installed");
}

TEST(HelpManagerTest, GivesIdsInRegistrationOrderAndKeepsTheLastNamedFile) {
  HelpManager manager;
  auto first = std::make_shared<NiceMock<MockViewer>>();
  auto second = std::make_shared<NiceMock<MockExtendedViewer>>();
  EXPECT_CALL(*first, AssignViewerId(1));
  EXPECT_CALL(*second, AssignViewerId(2));
  manager.RegisterViewer(first);
  manager.RegisterViewer(second);

  EXPECT_EQ(manager.HelpFile(), "");
  manager.HelpCommand(kHelpCommandQuit, 0, "uno.chm");
  manager.HelpCommand(kHelpCommandQuit, 0, "");
  EXPECT_EQ(manager.HelpFile(), "uno.chm");
  manager.Release(1);
  manager.Release(2);
}

TEST(HelpManagerTest, ContextsAreOfferedInOrderAndOnlyTheFirstTakerIsAsked) {
  HelpManager manager;
  auto declines = std::make_shared<NiceMock<MockExtendedViewer>>();
  auto takes = std::make_shared<NiceMock<MockExtendedViewer>>();
  auto never = std::make_shared<NiceMock<MockExtendedViewer>>();
  for (const auto& viewer : {declines, takes, never}) manager.RegisterViewer(viewer);
  EXPECT_CALL(*declines, CanOpenContext(7, "NA.chm")).WillOnce(Return(false));
  EXPECT_CALL(*takes, CanOpenContext(7, "NA.chm")).WillOnce(Return(true));
  EXPECT_CALL(*takes, OpenContext(7, "NA.chm"));
  EXPECT_CALL(*never, CanOpenContext).Times(0);
  manager.ContextHelp(7, "NA.chm");
  for (int id : {1, 2, 3}) manager.Release(id);
}

// Contents requests by the number of viewers, whether they offer contents
// and whether a selector is installed.
TEST(HelpManagerTest, ContentsRouting) {
  struct Case {
    const char* what;
    std::vector<bool> offers;  // one per viewer, in registration order
    std::optional<int> selectorPick;
    std::optional<int> opened;  // the viewer that shows its contents
    bool fails;
  };
  const Case cases[] = {
      {"one viewer offering", {true}, std::nullopt, 0, false},
      {"one viewer not offering", {false}, std::nullopt, std::nullopt, false},
      {"one viewer, selector not asked", {true}, 1, 0, false},
      {"several, no selector, first offers", {true, true}, std::nullopt, 0, false},
      {"several, no selector, first does not", {false, true}, std::nullopt, std::nullopt, true},
      {"several, selector picks the second sorted name", {true, true}, 1, 0, false},
      {"several, selector picks none", {true, true}, -1, std::nullopt, false},
      {"several, only one offers: no choice", {false, true}, 0, 1, false},
      {"several, none offers", {false, false}, 0, std::nullopt, true},
      {"no viewer", {}, std::nullopt, std::nullopt, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HelpManager manager;
    std::vector<std::shared_ptr<NiceMock<MockViewer>>> viewers;
    for (std::size_t i = 0; i < c.offers.size(); ++i) {
      auto viewer = std::make_shared<NiceMock<MockViewer>>();
      ON_CALL(*viewer, OffersContents).WillByDefault(Return(c.offers[i]));
      // Names whose order ignoring case is against registration order.
      ON_CALL(*viewer, QueryName).WillByDefault(Return(i == 0 ? "B" : "a"));
      EXPECT_CALL(*viewer, OpenContents).Times(c.opened == static_cast<int>(i) ? 1 : 0);
      manager.RegisterViewer(viewer);
      viewers.push_back(viewer);
    }
    auto selector = std::make_shared<NiceMock<MockSelector>>();
    if (c.selectorPick) {
      ON_CALL(*selector, PickContentsViewer).WillByDefault(Return(*c.selectorPick));
      manager.SetSelector(selector);
    }
    // The selector sees the sorted names and its position counts in them.
    if (c.selectorPick && c.offers == std::vector<bool>{true, true})
      EXPECT_CALL(*selector, PickContentsViewer(ElementsAre("a", "B")));
    const std::string text = FailureTextOf([&] { manager.HelpCommand(kHelpCommandContents, 0, "NA.chm"); });
    EXPECT_EQ(text, c.fails ? "Unable to find a Table of Contents" : "(no failure)");
    for (std::size_t i = 0; i < viewers.size(); ++i) manager.Release(static_cast<int>(i + 1));
  }
}

TEST(HelpManagerTest, KeywordEntriesGoSortedToTheSelectorOrFirstCollectedWithoutOne) {
  for (const bool withSelector : {true, false}) {
    SCOPED_TRACE(withSelector ? "with selector" : "without selector");
    HelpManager manager;
    auto first = std::make_shared<NiceMock<MockViewer>>();
    auto second = std::make_shared<NiceMock<MockViewer>>();
    for (const auto& [viewer, entry] : {std::pair{first, "Zeta: hora"}, std::pair{second, "alfa: hora"}}) {
      ON_CALL(*viewer, CountKeywordMatches("hora")).WillByDefault(Return(1));
      ON_CALL(*viewer, ListKeywordEntries("hora")).WillByDefault(Return(std::vector<std::string>{entry}));
      manager.RegisterViewer(viewer);
    }
    if (withSelector) {
      auto selector = std::make_shared<MockSelector>();
      EXPECT_CALL(*selector, PickKeywordEntry(ElementsAre("alfa: hora", "Zeta: hora"))).WillOnce(Return(1));
      manager.SetSelector(selector);
    }
    EXPECT_CALL(*first, OpenKeyword("Zeta: hora"));
    EXPECT_CALL(*second, OpenKeyword).Times(0);
    manager.KeywordHelp("hora", "");
    manager.Release(1);
    manager.Release(2);
  }
}

}  // namespace
}  // namespace zorva
