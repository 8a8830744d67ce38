// Both help paths, worked through the real program under Wine: F1 and the
// button "F1 AYUDA" reach the HTML Help engine. The engine is the logging
// stand-in, put in the system folder as HHCtrl.ocx, which writes each call
// to a log in the program folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/driver.h"
#include "support/running_program.h"
#include "support/system_library_stand_in.h"

namespace zorva::driver {
namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The program started by hand from another current folder, with or without
// the logging engine in the system folder.
struct HelpRun {
  std::optional<test_support::SystemLibraryStandIn> engine;
  RunningProgram program;
  std::wstring log = program.folder.File(L"help.log");

  explicit HelpRun(bool withEngine = true)
      : program({.fromWindowsFolder = true, .prepare = [this, withEngine](const ProgramFolder& folder) {
                   if (withEngine)
                     engine.emplace(WindowsPath(Environment("ZORVA_LOGGING_HHCTRL")), L"hhctrl.ocx");
                   SetEnvironmentVariableW(L"ZORVA_HELP_LOG", folder.File(L"help.log").c_str());
                 }}) {}

  std::string HelpFile() const { return Narrow(program.folder.path()) + "NA.chm"; }

  // The calls logged so far, once there are `count` of them.
  std::vector<std::string> Calls(std::size_t count) const {
    std::vector<std::string> lines;
    WaitUntil(
        [&] {
          lines.clear();
          const std::string text = FileExists(log) ? ReadFile(log) : std::string();
          for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
               start = end + 1)
            lines.push_back(text.substr(start, end - start));
          return lines.size() >= count;
        },
        10s);
    return lines;
  }
};

HWND Button(HWND window, const wchar_t* text) { return FindChild(window, L"Button", text); }

// Wine's own HHCtrl.ocx disabled for the programs started in this scope.
class NoEngine {
 public:
  NoEngine() : overrides_(Environment("WINEDLLOVERRIDES")) {
    SetEnvironmentVariableA("WINEDLLOVERRIDES", (overrides_ + ";hhctrl.ocx=d").c_str());
  }
  ~NoEngine() { SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides_.c_str()); }
  NoEngine(const NoEngine&) = delete;
  NoEngine& operator=(const NoEngine&) = delete;

 private:
  std::string overrides_;
};

TEST(HelpGui, TheHelpButtonAsksForTheContentsOfTheHelpFileInTheProgramFolder) {
  HelpRun run;
  ASSERT_TRUE(run.program.window);
  Click(Button(run.program.window, L"F1 AYUDA"));
  EXPECT_EQ(run.Calls(1), std::vector<std::string>{"caller=0 command=1 file=" + run.HelpFile() + " data=0"});
  EXPECT_FALSE(WaitForFailureBox(run.program.process().id(), 1s));
}

TEST(HelpGui, F1OnTheNoticeBoxDoesNothing) {
  HelpRun run;
  ASSERT_TRUE(run.program.window);
  run.program.folder.AddDemoTables();
  Click(Button(run.program.window, L"Aceptar"));
  const HWND dialog = WaitForSaveDialog(run.program.process().id());
  ASSERT_TRUE(dialog);
  ConfirmSaveDialog(dialog, run.program.folder.File(L"horario.xml"));
  const auto notice = WaitForNotice(run.program.process().id(), 60s);
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->text, L"Proceso finalizado");
  PressKey(notice->window, VK_F1);
  Sleep(1000);
  EXPECT_FALSE(FileExists(run.log)) << "the box and its button carry no help context";
  PressKey(notice->window, VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(notice->window); }));
  // Back in the window, F1 reaches the engine again.
  PressKey(run.program.window, VK_F1);
  EXPECT_EQ(run.Calls(1), std::vector<std::string>{"caller=0 command=15 file=" + run.HelpFile() + " data=1"});
}

TEST(HelpGui, WithoutTheEngineHelpDoesNothingAndSaysNothing) {
  const NoEngine noEngine;
  HelpRun run(false);
  ASSERT_TRUE(run.program.window);
  PressKey(run.program.window, VK_F1);
  Click(Button(run.program.window, L"F1 AYUDA"));
  EXPECT_FALSE(WaitForFailureBox(run.program.process().id(), 2s));
  EXPECT_TRUE(run.program.process().Running());
  EXPECT_FALSE(FileExists(run.log));
}

}  // namespace
}  // namespace zorva::driver
