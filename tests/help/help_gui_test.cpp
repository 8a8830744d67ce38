// Both help paths, worked through the real program under Wine: F1 and the
// button "F1 AYUDA" reach the HTML Help engine. The engine is the logging
// stand-in, put in the system folder as HHCtrl.ocx, which writes each call
// to a log in the program folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/driver.h"
#include "support/system_library_stand_in.h"

namespace zorva::driver {
namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The program started by hand from another current folder, with or without
// the logging engine in the system folder.
struct HelpRun {
  ProgramFolder folder;
  std::wstring log = folder.File(L"help.log");
  std::optional<testing::SystemLibraryStandIn> engine;
  std::optional<Process> process;
  HWND window = nullptr;

  explicit HelpRun(bool withEngine = true) {
    if (withEngine) engine.emplace(WindowsPath(Environment("ZORVA_LOGGING_HHCTRL")), L"hhctrl.ocx");
    SetEnvironmentVariableW(L"ZORVA_HELP_LOG", log.c_str());
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    process.emplace(folder.program(), std::vector<std::wstring>{}, windows);
    window = WaitForTopWindow(process->id(), L"TMForm");
  }

  std::string HelpFile() const { return Narrow(folder.path()) + "NA.chm"; }

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
  ASSERT_TRUE(run.window);
  Click(Button(run.window, L"F1 AYUDA"));
  EXPECT_EQ(run.Calls(1), std::vector<std::string>{"caller=0 command=1 file=" + run.HelpFile() + " data=0"});
  EXPECT_FALSE(WaitForFailureBox(run.process->id(), 1s));
}

TEST(HelpGui, F1OnTheNoticeBoxDoesNothing) {
  HelpRun run;
  ASSERT_TRUE(run.window);
  run.folder.AddDemoTables();
  Click(Button(run.window, L"Aceptar"));
  const HWND dialog = WaitForSaveDialog(run.process->id());
  ASSERT_TRUE(dialog);
  ConfirmSaveDialog(dialog, run.folder.File(L"horario.xml"));
  const auto notice = WaitForNotice(run.process->id(), 60s);
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->text, L"Proceso finalizado");
  PressKey(notice->window, VK_F1);
  Sleep(1000);
  EXPECT_FALSE(FileExists(run.log)) << "the box and its button carry no help context";
  PressKey(notice->window, VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(notice->window); }));
  // Back in the window, F1 reaches the engine again.
  PressKey(run.window, VK_F1);
  EXPECT_EQ(run.Calls(1), std::vector<std::string>{"caller=0 command=15 file=" + run.HelpFile() + " data=1"});
}

TEST(HelpGui, WithoutTheEngineHelpDoesNothingAndSaysNothing) {
  const NoEngine noEngine;
  HelpRun run(false);
  ASSERT_TRUE(run.window);
  PressKey(run.window, VK_F1);
  Click(Button(run.window, L"F1 AYUDA"));
  EXPECT_FALSE(WaitForFailureBox(run.process->id(), 2s));
  EXPECT_TRUE(run.process->Running());
  EXPECT_FALSE(FileExists(run.log));
}

}  // namespace
}  // namespace zorva::driver
