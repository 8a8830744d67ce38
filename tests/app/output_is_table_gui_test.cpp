// A save dialog answered with one of the tables that the export reads,
// worked through the real program under Wine: the table must survive.
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/running_program.h"

namespace zorva::driver {
namespace {

HWND Button(HWND window, const wchar_t* text) { return FindChild(window, L"Button", text); }

std::wstring Refusal(const std::wstring& file) {
  return L"No se puede guardar el XML en '" + file + L"': es una de las tablas que se exportan.";
}

// Answers the save dialog with `file`, dismisses the failure box and gives
// its text once the box is gone: until then the window takes no input.
std::wstring AnswerWithTable(DWORD process, const std::wstring& file) {
  const HWND dialog = WaitForSaveDialog(process);
  if (!dialog) return L"<no save dialog>";
  ConfirmSaveDialog(dialog, file);
  const auto failure = WaitForFailureBox(process, 60s);
  if (!failure) return L"<no failure box>";
  PressKey(failure->window, VK_RETURN);
  if (!WaitUntil([&] { return !IsWindow(failure->window); }, 5s)) return L"<failure box stays>";
  return failure->text;
}

TEST(OutputIsTable, TheProgramFoldersTableIsRefusedAndTheWindowStays) {
  RunningProgram program({.prepare = [](const ProgramFolder& folder) { folder.AddDemoTables(); }});
  const HWND window = program.window;
  ASSERT_TRUE(window);
  const std::wstring table = program.folder.File(L"Asig.DBF");
  const std::string before = ReadFile(table);
  Click(Button(window, L"Aceptar"));
  const std::wstring shown = AnswerWithTable(program.ProgramId(), table);
  EXPECT_TRUE(ReadFile(table) == before) << "the table is replaced";
  ASSERT_EQ(shown, Refusal(table));
  EXPECT_TRUE(IsWindowVisible(Button(window, L"Aceptar")));
  Click(Button(window, L"&Salir"));
  EXPECT_EQ(program.process().WaitForExit(), 0u);
}

TEST(OutputIsTable, TheSolutionIsRefusedAndTheHostReadsZero) {
  const std::wstring solution = L"C:\\ttemp\\SOLUC.DBF";
  std::string before;
  RunningProgram run(
      {.host = L"importar", .waitForWindow = false, .prepare = [&](const ProgramFolder& folder) {
         folder.AddDemoTables();
         before = ReadFile(solution);
       }});
  ASSERT_TRUE(run.hostWindow);
  const std::wstring shown = AnswerWithTable(run.ProgramId(), solution);
  EXPECT_TRUE(ReadFile(solution) == before) << "the table is replaced";
  ASSERT_EQ(shown, Refusal(solution));
  const HWND window = run.WaitForWindow();
  ASSERT_TRUE(window) << "the window stays inside the host";
  EXPECT_TRUE(IsWindowVisible(Button(window, L"Aceptar")));
  PressButton(Button(window, L"&Salir"));
  EXPECT_EQ(run.process().WaitForExit(), 0u);
  EXPECT_EQ(IniValue(run.Ini(), L"Transformadores", L"Transformado"), L"0");
}

}  // namespace
}  // namespace zorva::driver
