#include "export/dbase/engine_failure.h"

#include <gtest/gtest.h>

#include "textforms/failure_texts.h"
#include "textforms/program_text.h"

namespace zorva {
namespace {

constexpr auto kMissing = static_cast<std::uint16_t>(EngineStatus::TableNotFound);
constexpr auto kLocked = static_cast<std::uint16_t>(EngineStatus::FileLocked);
constexpr std::uint16_t kUnknown = 0x1234;

std::string Text(EngineStatus status) { return EngineStatusText(static_cast<std::uint16_t>(status)); }

struct Composition {
  const char* what;
  std::uint16_t status;
  std::vector<EngineEntry> entries;
  std::vector<std::string> lines;  // empty: the "Error BDE" text
};

TEST(EngineText, ComposesLinesByTheEngineLinesRule) {
  const std::string missing = Text(EngineStatus::TableNotFound);
  const std::string locked = Text(EngineStatus::FileLocked);
  const Composition cases[] = {
      {"status text alone", kMissing, {}, {missing}},
      {"then each entry's context", kMissing, {{kMissing, 0, "/t/SOLUC.DBF"}}, {missing, "/t/SOLUC.DBF"}},
      {"an entry's own status text before its context",
       kMissing,
       {{kLocked, 0, "/t/A.DBF"}},
       {missing, locked, "/t/A.DBF"}},
      {"a line already there is kept once",
       kMissing,
       {{kMissing, 0, "/t/A.DBF"}, {kMissing, 0, "/t/A.DBF"}},
       {missing, "/t/A.DBF"}},
      {"an entry with a native code adds no status text",
       kMissing,
       {{kLocked, 32, "/t/A.DBF"}},
       {missing, "/t/A.DBF"}},
      {"lines are trimmed of blanks and control characters, empty ones dropped",
       kMissing,
       {{kMissing, 0, "  /t/A.DBF\r\n"}, {kMissing, 0, " \t "}},
       {missing, "/t/A.DBF"}},
      {"2EC4 leaves out every status text", kStatusTextInEntries, {{kLocked, 0, "/t/A.DBF"}}, {"/t/A.DBF"}},
      {"the entries end at status 0", kMissing, {{0, 0, "ignored"}, {kLocked, 0, "/t/A.DBF"}}, {missing}},
      {"the entries end at status 2A06",
       kMissing,
       {{kLocked, 0, "/t/A.DBF"}, {kStatusEndOfEntries, 0, "ignored"}, {kLocked, 0, "ignored too"}},
       {missing, locked, "/t/A.DBF"}},
      {"a status without text and no entries", kUnknown, {}, {}},
      {"2EC4 without entries", kStatusTextInEntries, {}, {}},
  };
  for (const Composition& c : cases) {
    std::string want;
    for (const std::string& line : c.lines) want += (want.empty() ? "" : kLineEnd) + line;
    if (c.lines.empty()) {
      char code[8];
      std::snprintf(code, sizeof code, "%04X", c.status);
      want = std::string("Error BDE $") + code;
    }
    EXPECT_EQ(ComposeEngineText(c.status, c.entries), want) << c.what;
  }
}

TEST(EngineText, StatusTextsAreSpanishProgramText) {
  EXPECT_EQ(Text(EngineStatus::HeaderTruncated),
            ProgramTextFromUtf8("La cabecera de la tabla está incompleta"));
  EXPECT_EQ(EngineStatusText(kUnknown), "");
}

TEST(EngineFailure, KeepsStatusAndEntriesAndNamesTheFileInItsText) {
  try {
    RaiseEngineFailure(EngineStatus::FolderNotFound, {"c:\\ttemp"}, 3);
    FAIL() << "no failure raised";
  } catch (const EngineFailure& failure) {
    EXPECT_EQ(failure.kind(), FailureKind::Engine);
    EXPECT_EQ(failure.status(), static_cast<std::uint16_t>(EngineStatus::FolderNotFound));
    ASSERT_EQ(failure.entries().size(), 1u);
    EXPECT_EQ(failure.entries()[0].nativeCode, 3);
    // The lines end as the platform ends them, in the failure box and on
    // the twin's error output alike.
#ifdef _WIN32
    EXPECT_EQ(failure.text(), Text(EngineStatus::FolderNotFound) + "\r\nc:\\ttemp");
#else
    EXPECT_EQ(failure.text(), Text(EngineStatus::FolderNotFound) + "\nc:\\ttemp");
#endif
  }
}

}  // namespace
}  // namespace zorva
