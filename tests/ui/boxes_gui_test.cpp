// The notice box and the failure box, as the user meets them under Wine.
#include <gtest/gtest.h>

#include <cstring>

#include "support/driver.h"
#include "support/running_program.h"

namespace zorva::driver {
namespace {

void SetClipboardText(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

TEST(NoticeBox, ShowsTheTextAloneCaptionedWithTheTitleAndKeepsTheWindowDisabled) {
  RunningProgram program;
  program.folder.AddDemoTables();
  ASSERT_TRUE(program.Export(L""));
  const auto notice = WaitForNotice(program.process().id());
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->text, L"Debe indicar un Nombre de Archivo");
  EXPECT_EQ(Text(notice->window), L"TemposZORVA");
  EXPECT_TRUE(FindChild(notice->window, L"Button", L"Aceptar"));
  const LONG style = GetWindowLongW(notice->window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  RECT box;
  GetWindowRect(notice->window, &box);
  EXPECT_NEAR((box.left + box.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((box.top + box.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  EXPECT_FALSE(IsWindowEnabled(program.window));

  PressKey(notice->window, VK_RETURN, kShift);
  EXPECT_TRUE(IsWindow(notice->window)) << "Shift+Enter does not close it";
  PressKey(notice->window, VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(notice->window); }, 5s));
  EXPECT_TRUE(IsWindowEnabled(program.window));
  EXPECT_EQ(GetForegroundWindow(), program.window) << "the window that was active is active again";
}

TEST(NoticeBox, CtrlCCopiesItsSevenLinesAndCtrlShiftCDoesNothing) {
  RunningProgram program;
  program.folder.AddDemoTables();
  ASSERT_TRUE(program.Export(program.folder.File(L"horario.xml")));
  const auto notice = WaitForNotice(program.process().id(), 60s);
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->text, L"Proceso finalizado");

  SetClipboardText(L"antes");
  PressKey(notice->window, 'C', kCtrl | kShift);
  EXPECT_EQ(ClipboardText(), L"antes");
  PressKey(notice->window, 'C', kCtrl);
  const std::wstring rule = L"---------------------------\r\n";
  EXPECT_EQ(ClipboardText(),
            rule + L"TemposZORVA\r\n" + rule + L"Proceso finalizado\r\n" + rule + L"Aceptar   \r\n" + rule);
  EXPECT_TRUE(IsWindow(notice->window));
  PressKey(notice->window, VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(notice->window); }, 5s));
}

TEST(NoticeBox, AClipboardThatCannotBeOpenedIsReportedAndTheBoxStays) {
  RunningProgram program;
  program.folder.AddDemoTables();
  ASSERT_TRUE(program.Export(L""));
  const auto notice = WaitForNotice(program.process().id());
  ASSERT_TRUE(notice);
  ASSERT_TRUE(OpenClipboard(nullptr));  // held by the driver
  PressKey(notice->window, 'C', kCtrl);
  const auto failure = WaitForFailureBox(program.process().id());
  CloseClipboard();
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->text, L"No se puede abrir el portapapeles.");
  PressKey(failure->window, VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(failure->window); }, 5s));
  EXPECT_TRUE(IsWindow(notice->window));
}

TEST(FailureBox, ShowsTheExportsFailuresAndTheProgramGoesOn) {
  const struct {
    const char* set;
    std::wstring text;  // empty: the table engine's own text, whatever it says
  } cases[] = {
      {"missing-field", L"wwTableSoluc: No se encuentra el campo 'CODGRUPO'"},
      {"text-maxalum", L"'treinta' no es un valor entero válido."},
      {"no-soluc", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.set);
    RunningProgram program;
    program.folder.AddTables(c.set);
    ASSERT_TRUE(program.Export(program.folder.File(L"horario.xml")));
    const auto failure = WaitForFailureBox(program.process().id(), 60s);
    ASSERT_TRUE(failure);
    if (c.text.empty())
      EXPECT_FALSE(failure->text.empty());
    else
      EXPECT_EQ(failure->text, c.text);
    HWND icon = FindChild(failure->window, L"Static", L"");
    EXPECT_TRUE(icon) << "the error icon";
    PressKey(failure->window, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(failure->window); }, 5s));
    EXPECT_FALSE(FileExists(program.folder.File(L"horario.xml")));
    EXPECT_TRUE(program.process().Running());
    EXPECT_TRUE(IsWindowVisible(program.Button(L"Aceptar"))) << "Aceptar is still there";
  }
}

// The guide's advice after a failure: correct the table and press "Aceptar"
// again. The second run reads the table as it is on disk now.
TEST(FailureBox, AceptarAgainAfterTheTableIsCorrectedExports) {
  RunningProgram program;
  program.folder.AddTables("text-maxalum");
  const std::wstring xml = program.folder.File(L"horario.xml");
  ASSERT_TRUE(program.Export(xml));
  const auto failure = WaitForFailureBox(program.process().id(), 60s);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->text, L"'treinta' no es un valor entero válido.");
  PressKey(failure->window, VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(failure->window); }, 5s));

  WriteFile(program.folder.File(L"GRUP.DBF"),
            ReadFile(WindowsPath(Environment("ZORVA_FIXTURES") + "/school/GRUP.DBF")));
  ASSERT_TRUE(program.Export(xml));
  const auto notice = WaitForNotice(program.process().id(), 60s);
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->text, L"Proceso finalizado");
  EXPECT_NE(ReadFile(xml).find("GRUPO=\"A\" MAXALUM=\"30\""), std::string::npos);
  PressKey(notice->window, VK_RETURN);
}

}  // namespace
}  // namespace zorva::driver
