#include "help/html_help_engine.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/system_library_stand_in.h"

namespace zorva {
namespace {

std::vector<std::string> Lines(const std::filesystem::path& file) {
  std::vector<std::string> lines;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Run with the logging stand-in as the system's HHCtrl.ocx.
TEST(HtmlHelpEngineTest, CallsReachTheEntryOfTheSystemsLibrary) {
  if (GetEnvironmentVariableA("ZORVA_NO_HELP_ENGINE", nullptr, 0))
    GTEST_SKIP() << "engine disabled in this run";
  // The build's path, on Wine's drive Z:.
  const test_support::SystemLibraryStandIn standIn(
      L"Z:" + std::filesystem::path(std::getenv("ZORVA_LOGGING_HHCTRL")).wstring(), L"hhctrl.ocx");
  const auto log = std::filesystem::temp_directory_path() / "zorva_help_engine_test.log";
  std::filesystem::remove(log);
  SetEnvironmentVariableA("ZORVA_HELP_LOG", log.string().c_str());

  auto engine = LoadHtmlHelpEngine();
  ASSERT_NE(engine, nullptr);
  const std::string keyword = "tablas";
  engine->Call(0, "C:\\Tempovia\\NA.chm", kEngineHelpContext, 1);
  engine->Call(0, "C:\\Tempovia\\NA.chm", kEngineDisplayIndex,
               reinterpret_cast<std::uintptr_t>(keyword.c_str()));
  engine->Call(0, nullptr, kEngineCloseAll, 0);
  engine.reset();
  EXPECT_EQ(GetModuleHandleA("HHCtrl.ocx"), nullptr) << "the library goes with the engine";

  EXPECT_EQ(Lines(log), (std::vector<std::string>{
                            "caller=0 command=15 file=C:\\Tempovia\\NA.chm data=1",
                            "caller=0 command=2 file=C:\\Tempovia\\NA.chm data=tablas",
                            "caller=0 command=18 file=(null) data=0",
                        }));
  std::filesystem::remove(log);
}

// Run with the library disabled.
TEST(HtmlHelpEngineTest, AMissingLibraryGivesNoEngine) {
  if (!GetEnvironmentVariableA("ZORVA_NO_HELP_ENGINE", nullptr, 0))
    GTEST_SKIP() << "engine present in this run";
  EXPECT_EQ(LoadHtmlHelpEngine(), nullptr);
}

}  // namespace
}  // namespace zorva
