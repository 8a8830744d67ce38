// A save dialog answered with one of the tables that the export reads,
// worked through the real program under Wine: the table must survive.
#include <gtest/gtest.h>

#include "support/driver.h"

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
  ProgramFolder folder;
  folder.AddDemoTables();
  const std::wstring table = folder.File(L"Asig.DBF");
  const std::string before = ReadFile(table);
  Process program(folder.program(), {}, folder.path());
  const HWND window = WaitForTopWindow(program.id(), L"TMForm");
  ASSERT_TRUE(window);
  Click(Button(window, L"Aceptar"));
  const std::wstring shown = AnswerWithTable(program.id(), table);
  EXPECT_TRUE(ReadFile(table) == before) << "the table is replaced";
  ASSERT_EQ(shown, Refusal(table));
  EXPECT_TRUE(IsWindowVisible(Button(window, L"Aceptar")));
  Click(Button(window, L"&Salir"));
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(OutputIsTable, TheSolutionIsRefusedAndTheHostReadsZero) {
  ProgramFolder folder;
  folder.AddDemoTables();
  const std::wstring solution = L"C:\\ttemp\\SOLUC.DBF";
  const std::string before = ReadFile(solution);
  Process host(WindowsPath(Environment("ZORVA_FAKE_HOST")), {L"\"" + folder.program() + L"\"", L"importar"},
               folder.path());
  const HWND hostWindow = WaitForTopWindow(host.id(), L"ZorvaFakeHost");
  ASSERT_TRUE(hostWindow);
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = FindChild(hostWindow, L"TMForm", L"")) != nullptr; }));
  DWORD program = 0;
  GetWindowThreadProcessId(window, &program);
  const std::wstring shown = AnswerWithTable(program, solution);
  EXPECT_TRUE(ReadFile(solution) == before) << "the table is replaced";
  ASSERT_EQ(shown, Refusal(solution));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window); })) << "the window stays inside the host";
  EXPECT_TRUE(IsWindowVisible(Button(window, L"Aceptar")));
  PressButton(Button(window, L"&Salir"));
  EXPECT_EQ(host.WaitForExit(), 0u);
  EXPECT_EQ(IniValue(folder.File(L"Tempovia.ini"), L"Transformadores", L"Transformado"), L"0");
}

}  // namespace
}  // namespace zorva::driver
