// The main window's frame, system menu and help contexts, and F1 with the
// keyboard focus on the window itself, read inside the process that owns
// the window.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/in_process_windows.h"

namespace zorva::test_support {
namespace {

TEST(MainWindowInProcess, TheFrameAndTheSystemMenuOfferOnlyMovingAndClosing) {
  ProgramWindow program;
  const LONG style = GetWindowLongW(program.window(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU) << "the close box";
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_FALSE(GetWindowLongW(program.window(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);

  EXPECT_EQ(SystemMenuEntries(program.window()), (std::vector<std::string>{"move", "separator", "close"}));
}

// A window's class and caption, for messages.
std::string Describe(HWND window) {
  wchar_t className[32] = {};
  wchar_t text[32] = {};
  GetClassNameW(window, className, 32);
  GetWindowTextW(window, text, 32);
  std::string out;
  for (const wchar_t* c = className; *c; ++c) out += static_cast<char>(*c);
  out += " \"";
  for (const wchar_t* c = text; *c; ++c) out += static_cast<char>(*c);
  return out + "\"";
}

BOOL CALLBACK CollectChild(HWND child, LPARAM children) {
  reinterpret_cast<std::vector<HWND>*>(children)->push_back(child);
  return TRUE;
}

TEST(MainWindowInProcess, TheWindowAndEveryWindowedControlInItCarryHelpContextOne) {
  ProgramWindow program;
  const std::vector<HWND> panels = program.Panels();
  ASSERT_EQ(panels.size(), 2u);
  const std::set<HWND> controls = {panels[0], panels[1], program.Button(L"Aceptar"),
                                   program.Button(L"&Salir"), program.Button(L"F1 AYUDA")};
  ASSERT_EQ(controls.count(nullptr), 0u);

  EXPECT_EQ(GetWindowContextHelpId(program.window()), 1u);
  std::vector<HWND> children;
  EnumChildWindows(program.window(), CollectChild, reinterpret_cast<LPARAM>(&children));
  EXPECT_EQ(std::set<HWND>(children.begin(), children.end()), controls)
      << "the panels and the buttons, no other";
  for (HWND child : children) EXPECT_EQ(GetWindowContextHelpId(child), 1u) << Describe(child);
}

// F1 comes in through the system's keyboard queue, which turns it into a
// help request for the focused window; the request walks up to the main
// window and on to the help manager and the engine.
TEST(MainWindowInProcess, F1AsksForContextOneWithTheFocusOnTheWindowOrOnAnyButton) {
  ProgramWindow program;
  ASSERT_EQ(GetForegroundWindow(), program.window());
  const struct {
    const char* what;
    HWND focus;
  } cases[] = {
      {"the window itself", program.window()},
      {"Salir", program.Button(L"&Salir")},
      {"F1 AYUDA", program.Button(L"F1 AYUDA")},
      {"Aceptar", program.Button(L"Aceptar")},
  };
  const EngineCall contextOne = Shows("C:\\Tempovia\\NA.chm", kEngineHelpContext, 1);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].what);
    SetFocus(cases[i].focus);
    ASSERT_EQ(GetFocus(), cases[i].focus);
    TypeKey(VK_F1);
    ASSERT_TRUE(program.Pump([&] { return program.EngineCalls().size() > i; }, 5s));
    EXPECT_EQ(program.EngineCalls().back(), contextOne);
  }
  program.Pump([] { return false; }, 500ms);
  EXPECT_EQ(program.EngineCalls().size(), std::size(cases)) << "one request for each key";
}

// The taskbar shows one entry for the program, captioned with its title: the
// application window's, which owns the main window and hands activation and
// closing on to it.
TEST(MainWindowInProcess, TheTaskbarEntryIsTheApplicationWindowsAndStandsForTheMainWindow) {
  ProgramWindow program;
  const HWND entry = program.application();
  EXPECT_TRUE(IsWindowVisible(entry));
  EXPECT_EQ(Describe(entry), "TApplicationWindow \"TemposZORVA\"");
  EXPECT_FALSE(GetWindowLongW(entry, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(entry, GW_OWNER), nullptr);
  RECT rect;
  GetWindowRect(entry, &rect);
  EXPECT_TRUE(IsRectEmpty(&rect)) << "nothing of it is seen but its entry";
  EXPECT_EQ(GetWindow(program.window(), GW_OWNER), entry) << "the main window has no entry of its own";
  EXPECT_FALSE(GetWindowLongW(program.window(), GWL_EXSTYLE) & WS_EX_APPWINDOW);

  SetActiveWindow(entry);
  EXPECT_TRUE(program.Pump([&] { return GetActiveWindow() == program.window(); }, 5s))
      << "activation passes on";

  // While a dialog holds the main window disabled, closing the entry waits.
  EnableWindow(program.window(), FALSE);
  PostMessageW(entry, WM_CLOSE, 0, 0);
  program.Pump([] { return false; }, 500ms);
  EXPECT_TRUE(IsWindow(program.window()));
  EnableWindow(program.window(), TRUE);

  PostMessageW(entry, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.Pump([&] { return !program.window(); }, 5s)) << "the main window closes";
}

}  // namespace
}  // namespace zorva::test_support
