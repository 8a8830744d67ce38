#include "app/run_modes.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "app/window_number.h"
#include "textforms/failure.h"
#include "textforms/program_text.h"

namespace zorva {
namespace {

TEST(WindowNumber, ReadsThirtyTwoBitsOfHexadecimalDigits) {
  EXPECT_EQ(ReadWindowNumber("0"), 0u);
  EXPECT_EQ(ReadWindowNumber("1a2B"), 0x1A2Bu);
  EXPECT_EQ(ReadWindowNumber("FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(ReadWindowNumber("80000001"), 0x80000001u);
  EXPECT_EQ(ReadWindowNumber("0000000000FFFFFFFF"), 0xFFFFFFFFu);  // leading zeros do not count
}

TEST(WindowNumber, RefusesAnythingElseWithTheConversionText) {
  for (const char* bad : {"", "12G4", "0x12", "-1", "+1", " 12", "12 ", "100000000", "$12"}) {
    try {
      ReadWindowNumber(bad);
      ADD_FAILURE() << bad;
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.kind(), FailureKind::CommandLine);
      EXPECT_EQ(failure.text(),
                ProgramTextFromUtf8("'$" + std::string(bad) + "' no es un valor entero válido"))
          << bad;
    }
  }
}

struct FakeWindow final : StartWindow {
  std::optional<std::uint32_t> attachedTo;
  void AttachToHostWindow(std::uint32_t handle) override { attachedTo = handle; }
};

TEST(RunModes, FollowTheModesTable) {
  const struct {
    const char* line;
    bool hostMode;
    bool exportsAtFirstShow;
    bool fails;
  } cases[] = {
      {"p", false, false, false},
      {"p importar", false, false, false},
      {"p importar 1A2B tres", false, false, false},
      {"p importar 1A2B", true, true, false},
      {"p IMPORTAR 1A2B", true, true, false},
      {"p Importar 0", true, true, false},
      {"p \"importar \" 1A2B", true, false, false},
      {"p mirar 1A2B", true, false, false},
      {"p importar 12G4", false, true, true},
      {"p mirar 12G4", false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const CommandLineParameters parameters("p.exe", c.line);
    ProgramState state;
    FakeWindow window;
    bool failed = false;
    try {
      DecideRunMode(state, parameters, window);
    } catch (const Failure&) {
      failed = true;
    }
    EXPECT_EQ(failed, c.fails);
    EXPECT_EQ(state.HostMode(), c.hostMode);
    EXPECT_EQ(window.attachedTo.has_value(), c.hostMode);
    EXPECT_EQ(StartsExportAtFirstShow(parameters), c.exportsAtFirstShow);
  }
}

struct FakeProfile final : ProfileWriter {
  bool writable = true;
  std::map<std::string, std::string> written;
  bool WriteProfileKey(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) override {
    if (writable) written[path + "|" + section + "|" + key] = value;
    return writable;
  }
};

TEST(RunModes, HandshakeIsWrittenOnlyInHostModeAndAFailedWriteIsAFailure) {
  FakeProfile profile;
  ProgramState state;
  WriteHandshake(state, 1, "C:\\t\\", profile);
  EXPECT_TRUE(profile.written.empty());

  state.StartParamCount = 2;
  WriteHandshake(state, 1, "C:\\t\\", profile);
  EXPECT_EQ(profile.written["C:\\t\\Tempovia.ini|Transformadores|Transformado"], "1");

  profile.writable = false;
  try {
    WriteHandshake(state, 0, "C:\\t\\", profile);
    ADD_FAILURE();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.text(), "Unable to write to C:\\t\\Tempovia.ini");
  }
}

}  // namespace
}  // namespace zorva
