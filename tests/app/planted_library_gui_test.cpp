// A help library planted in the program folder, which others can write,
// worked through the real program under Wine: the program starts without
// loading it, and F1 still opens the system's help. The test's override
// makes Wine take a program's own copy, as Windows does. A planted
// msimg32.dll is no test here: Wine's own theming code loads it by name, at
// times Windows does not; app_import_table_test keeps the program from
// importing it.
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/running_program.h"

namespace zorva::driver {
namespace {

TEST(PlantedLibrary, TheHelpLibraryIsNotLoadedAndF1OpensTheSystemsHelp) {
  const std::wstring planted = WindowsPath(Environment("ZORVA_PLANTED_LIBRARY"));
  // The help file, from beside the built program.
  const std::wstring built = WindowsPath(Environment("ZORVA_PROGRAM"));
  const std::wstring helpFile = built.substr(0, built.rfind(L'\\') + 1) + L"NA.chm";
  bool copied = true;
  RunningProgram program({.prepare = [&](const ProgramFolder& folder) {
    copied &= CopyFileW(planted.c_str(), folder.File(L"HHCtrl.ocx").c_str(), FALSE) != 0;
    copied &= CopyFileW(helpFile.c_str(), folder.File(L"NA.chm").c_str(), FALSE) != 0;
  }});
  ASSERT_TRUE(copied);
  const ProgramFolder& folder = program.folder;
  const HWND window = program.window;
  ASSERT_TRUE(window);
  EXPECT_FALSE(FileExists(folder.File(L"HHCtrl.ocx.loaded")));
  PressKey(window, VK_F1);
  EXPECT_TRUE(WaitForTopWindow(program.process().id(), L"HH Parent")) << "the help window";
}

}  // namespace
}  // namespace zorva::driver
