// Libraries planted in the program folder, which others can write, worked
// through the real program under Wine: the program starts without loading
// them, and F1 still opens the system's help. The test's overrides make Wine
// take a program's own copy of each, as Windows does.
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/running_program.h"

namespace zorva::driver {
namespace {

// The libraries the program itself takes from the system and that Windows
// does not keep to the system folder: the help engine, loaded at start, and
// the one the buttons' glyphs used to be drawn with.
constexpr const wchar_t* kPlanted[] = {L"HHCtrl.ocx", L"msimg32.dll"};

TEST(PlantedLibrary, NoneIsLoadedAndF1OpensTheSystemsHelp) {
  const std::wstring planted = WindowsPath(Environment("ZORVA_PLANTED_LIBRARY"));
  // The help file, from beside the built program.
  const std::wstring built = WindowsPath(Environment("ZORVA_PROGRAM"));
  const std::wstring helpFile = built.substr(0, built.rfind(L'\\') + 1) + L"NA.chm";
  bool copied = true;
  RunningProgram program({.prepare = [&](const ProgramFolder& folder) {
    for (const wchar_t* name : kPlanted)
      copied &= CopyFileW(planted.c_str(), folder.File(name).c_str(), FALSE) != 0;
    copied &= CopyFileW(helpFile.c_str(), folder.File(L"NA.chm").c_str(), FALSE) != 0;
  }});
  ASSERT_TRUE(copied);
  const ProgramFolder& folder = program.folder;
  const HWND window = program.window;
  ASSERT_TRUE(window);
  for (const wchar_t* name : kPlanted) {
    EXPECT_FALSE(FileExists(folder.File(name) + L".loaded")) << name;
    // Wine's own theming code, unlike Windows', would take it next.
    DeleteFileW(folder.File(name).c_str());
  }
  PressKey(window, VK_F1);
  EXPECT_TRUE(WaitForTopWindow(program.process().id(), L"HH Parent")) << "the help window";
}

}  // namespace
}  // namespace zorva::driver
