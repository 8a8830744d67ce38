// The run modes, worked through the real program under Wine.
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/running_program.h"

namespace zorva::driver {
namespace {

const std::wstring kSection = L"Transformadores";
const std::wstring kKey = L"Transformado";

HWND Salir(HWND window) { return FindChild(window, L"Button", L"&Salir"); }
HWND Aceptar(HWND window) { return FindChild(window, L"Button", L"Aceptar"); }

// Answers the save dialog with `name` (or cancels it when empty), then
// dismisses the notice that follows and gives its text.
std::wstring AnswerExport(DWORD process, const std::wstring& name) {
  const HWND dialog = WaitForSaveDialog(process);
  if (!dialog) return L"<no save dialog>";
  if (name.empty())
    CancelSaveDialog(dialog);
  else
    ConfirmSaveDialog(dialog, name);
  const auto notice = WaitForNotice(process, 60s);
  if (!notice) return L"<no notice>";
  for (int attempt = 0; attempt < 3 && IsWindow(notice->window); ++attempt) {
    PressKey(notice->window, VK_RETURN);
    WaitUntil([&] { return !IsWindow(notice->window); }, 3s);
  }
  return IsWindow(notice->window) ? L"<notice stays>" : notice->text;
}

bool IsXmlExport(const std::wstring& file) { return ReadFile(file).rfind("<?xml", 0) == 0; }

bool HasFrame(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }

TEST(RunModes, NoneOneOrThreeParametersGiveTheInteractiveWindow) {
  const std::vector<std::vector<std::wstring>> cases = {{}, {L"importar"}, {L"importar", L"1234", L"tres"}};
  for (const auto& parameters : cases) {
    SCOPED_TRACE(parameters.size());
    RunningProgram program({.parameters = parameters});
    ASSERT_TRUE(program.window);
    EXPECT_TRUE(HasFrame(program.window));
    const HWND entry = GetWindow(program.window, GW_OWNER);
    EXPECT_TRUE(IsWindowVisible(entry)) << "the taskbar entry's window";
    EXPECT_EQ(Text(entry), L"TemposZORVA");
    EXPECT_FALSE(WaitForSaveDialog(program.process().id(), 1s)) << "no export at first show";
    Click(Salir(program.window));
    EXPECT_EQ(program.process().WaitForExit(), 0u);
    EXPECT_FALSE(FileExists(program.Ini())) << "nothing written outside host mode";
  }
}

TEST(RunModes, ABadWindowNumberIsReportedAndTheWindowIsAnOrdinaryOne) {
  RunningProgram program({.parameters = {L"mirar", L"12G4"}, .waitForWindow = false});
  const auto box = WaitForFailureBox(program.process().id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"'$12G4' no es un valor entero válido.");
  PressKey(box->window, VK_RETURN);
  program.WaitForWindow();
  ASSERT_TRUE(program.window);
  EXPECT_TRUE(HasFrame(program.window));
  Click(Salir(program.window));
  EXPECT_EQ(program.process().WaitForExit(), 0u);
  EXPECT_FALSE(FileExists(program.Ini()));
}

TEST(RunModes, ANumberThatNamesNoWindowGivesABorderlessTopLevelWindowInHostMode) {
  // 0, and a number that no window can have (its low word is 0).
  for (const std::wstring number : {L"0", L"7FFE0000"}) {
    SCOPED_TRACE(std::string(number.begin(), number.end()));
    RunningProgram program({.parameters = {L"mirar", number}});
    ASSERT_TRUE(program.window);
    EXPECT_FALSE(HasFrame(program.window));
    EXPECT_EQ(GetAncestor(program.window, GA_PARENT), GetDesktopWindow());
    EXPECT_FALSE(WaitForFailureBox(program.process().id(), 1s));
    Click(Salir(program.window));
    EXPECT_EQ(program.process().WaitForExit(), 0u);
    EXPECT_EQ(IniValue(program.Ini(), kSection, kKey), L"0");
  }
}

TEST(RunModes, AnotherWordInHostModeWaitsInsideTheHostAndClosingWritesOnlyTheHandshakeKey) {
  RunningProgram run({.host = L"mirar", .waitForWindow = false});
  WriteFile(run.Ini(),
            "[General]\r\nCurso=2024\r\n[Transformadores]\r\nOtro=x\r\nTransformado=7\r\n[Final]\r\nClave="
            "valor\r\n");
  run.WaitForWindow();
  ASSERT_TRUE(run.window);
  EXPECT_EQ(GetAncestor(run.window, GA_PARENT), run.hostWindow);
  EXPECT_FALSE(HasFrame(run.window));
  const RECT placed = RectInClient(run.window, run.hostWindow);
  RECT outer;
  GetWindowRect(run.window, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  EXPECT_GT(width, 632) << "keeps the framed window's outer size";
  EXPECT_EQ(placed.left, std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2));
  EXPECT_EQ(placed.top, std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2));
  EXPECT_FALSE(WaitForSaveDialog(run.ProgramId(), 1s));
  for (HWND application : TopWindows(run.ProgramId(), L"TApplicationWindow"))
    EXPECT_FALSE(IsWindowVisible(application)) << "no taskbar entry of its own inside the host";

  PressButton(Salir(run.window));
  EXPECT_EQ(run.process().WaitForExit(), 0u);
  EXPECT_EQ(IniValue(run.Ini(), kSection, kKey), L"0");
  EXPECT_EQ(IniValue(run.Ini(), kSection, L"Otro"), L"x");
  EXPECT_EQ(IniValue(run.Ini(), L"General", L"Curso"), L"2024");
  EXPECT_EQ(IniValue(run.Ini(), L"Final", L"Clave"), L"valor");
}

TEST(RunModes, AnUnwritableHandshakeFileKeepsTheWindowOpenAndEachCloseTriesAgain) {
  RunningProgram run({.host = L"mirar"});
  ASSERT_TRUE(run.window);
  WriteFile(run.Ini(), "[Transformadores]\r\nTransformado=7\r\n");
  // Held open by another program, which lets no one else write it: a
  // read-only attribute alone would not stop a test run as root under Wine.
  HANDLE held = CreateFileW(run.Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  for (int attempt = 0; attempt < 2; ++attempt) {
    PressButton(Salir(run.window));
    const auto box = WaitForFailureBox(run.ProgramId());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"Unable to write to " + run.Ini() + L".");
    PressKey(box->window, VK_RETURN);
    EXPECT_TRUE(IsWindow(run.window));
    EXPECT_TRUE(run.process().Running());
  }
  CloseHandle(held);
  PressButton(Salir(run.window));
  EXPECT_EQ(run.process().WaitForExit(), 0u);
  EXPECT_EQ(IniValue(run.Ini(), kSection, kKey), L"0");
}

TEST(RunModes, AnExportByHandWritesTheFileAndTheWindowStays) {
  RunningProgram program;
  program.folder.AddDemoTables();
  ASSERT_TRUE(program.window);
  Click(Aceptar(program.window));
  EXPECT_EQ(AnswerExport(program.process().id(), program.folder.File(L"horario")), L"Proceso finalizado")
      << "exit code " << program.process().WaitForExit(1s).value_or(12345);
  EXPECT_TRUE(IsXmlExport(program.folder.File(L"horario.xml"))) << "the default extension is added";
  EXPECT_FALSE(IsWindowVisible(Aceptar(program.window)));
  EXPECT_TRUE(program.process().Running());
  Click(Salir(program.window));
  EXPECT_EQ(program.process().WaitForExit(), 0u);
  EXPECT_FALSE(FileExists(program.Ini()));
}

TEST(RunModes, ACancelledFirstDialogAsksForANameAndWritesNothing) {
  RunningProgram program;
  program.folder.AddDemoTables();
  Click(Aceptar(program.window));
  EXPECT_EQ(AnswerExport(program.process().id(), L""), L"Debe indicar un Nombre de Archivo");
  EXPECT_TRUE(IsWindowVisible(Aceptar(program.window)));
  EXPECT_TRUE(program.process().Running());
}

TEST(RunModes, ACancelledLaterDialogExportsUnderTheEarlierName) {
  RunningProgram program;
  // Without SOLUC the first run fails after the name has been confirmed.
  const std::wstring solution = L"C:\\ttemp\\SOLUC.DBF";
  DeleteFileW(solution.c_str());
  const std::wstring name = program.folder.File(L"salida.xml");
  Click(Aceptar(program.window));
  ConfirmSaveDialog(WaitForSaveDialog(program.process().id()), name);
  const auto failure = WaitForFailureBox(program.process().id(), 60s);
  ASSERT_TRUE(failure);
  PressKey(failure->window, VK_RETURN);
  EXPECT_FALSE(FileExists(name));

  program.folder.AddDemoTables();
  Click(Aceptar(program.window));
  EXPECT_EQ(AnswerExport(program.process().id(), L""), L"Proceso finalizado");
  EXPECT_TRUE(IsXmlExport(name));
}

TEST(RunModes, TheHostStartsTheExportAndReadsOneWhenItCompletes) {
  RunningProgram run({.host = L"Importar", .waitForWindow = false});  // any letter case
  run.folder.AddDemoTables();
  EXPECT_EQ(AnswerExport(run.ProgramId(), run.folder.File(L"horario.xml")), L"Proceso finalizado");
  EXPECT_EQ(run.process().WaitForExit(), 0u) << "the program ends, and the host after it";
  EXPECT_EQ(IniValue(run.Ini(), kSection, kKey), L"1");
  EXPECT_TRUE(IsXmlExport(run.folder.File(L"horario.xml")));
}

TEST(RunModes, TheHostReadsZeroWhenTheDialogIsCancelled) {
  RunningProgram run({.host = L"importar", .waitForWindow = false});
  run.folder.AddDemoTables();
  const DWORD program = run.ProgramId();
  CancelSaveDialog(WaitForSaveDialog(program));
  const auto notice = WaitForNotice(program);
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->text, L"Debe indicar un Nombre de Archivo");
  // Nothing is written before the window closes.
  EXPECT_FALSE(FileExists(run.Ini()));
  PressKey(notice->window, VK_RETURN);
  EXPECT_EQ(run.process().WaitForExit(), 0u);
  EXPECT_EQ(IniValue(run.Ini(), kSection, kKey), L"0");
  EXPECT_TRUE(FindFiles(run.folder.File(L"*.xml")).empty()) << "no export file";
}

// Inside the host the window is no top-level window of the program, so a box
// must hold it disabled itself: a press that still reaches "Aceptar" or
// "Salir" (as a message, since no click can) starts nothing while the save
// dialog, the notice box or the failure box is open.
TEST(RunModes, InHostModeTheWindowTakesNoInputWhileABoxIsOpen) {
  const auto pressBoth = [](HWND window) {
    PressButton(Aceptar(window));
    PressButton(Salir(window));
  };
  const auto nothingHappened = [](const RunningProgram& run, const char* box) {
    SCOPED_TRACE(box);
    EXPECT_EQ(TopWindows(run.ProgramId(), L"#32770").size(), std::string(box) == "notice" ? 0u : 1u)
        << "no second save dialog";
    EXPECT_TRUE(run.process().Running());
    EXPECT_TRUE(IsWindow(run.window));
    EXPECT_FALSE(FileExists(run.Ini())) << "no close";
  };
  {
    RunningProgram run({.host = L"mirar"});
    run.folder.AddDemoTables();
    ASSERT_TRUE(run.window);
    PressButton(Aceptar(run.window));
    const HWND dialog = WaitForSaveDialog(run.ProgramId());
    ASSERT_TRUE(dialog);
    pressBoth(run.window);
    nothingHappened(run, "save dialog");
    ConfirmSaveDialog(dialog, run.folder.File(L"horario.xml"));
    const auto notice = WaitForNotice(run.ProgramId(), 60s);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->text, L"Proceso finalizado");
    pressBoth(run.window);
    nothingHappened(run, "notice");
    PressKey(notice->window, VK_RETURN);
    EXPECT_EQ(run.process().WaitForExit(), 0u);
    EXPECT_EQ(IniValue(run.Ini(), kSection, kKey), L"1");
  }
  {
    RunningProgram run({.host = L"mirar"});
    run.folder.AddTables("missing-field");
    ASSERT_TRUE(run.window);
    PressButton(Aceptar(run.window));
    ConfirmSaveDialog(WaitForSaveDialog(run.ProgramId()), run.folder.File(L"horario.xml"));
    const auto failure = WaitForFailureBox(run.ProgramId(), 60s);
    ASSERT_TRUE(failure);
    pressBoth(run.window);
    nothingHappened(run, "failure box");
    PressKey(failure->window, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(failure->window); }, 5s));
    PressButton(Salir(run.window));
    EXPECT_EQ(run.process().WaitForExit(), 0u);
    EXPECT_EQ(IniValue(run.Ini(), kSection, kKey), L"0");
  }
}

TEST(RunModes, AnotherWordInHostModeExportsWhenTheUserPressesAceptar) {
  RunningProgram run({.host = L"mirar"});
  run.folder.AddDemoTables();
  PressButton(Aceptar(run.window));
  EXPECT_EQ(AnswerExport(run.ProgramId(), run.folder.File(L"horario.xml")), L"Proceso finalizado");
  EXPECT_EQ(run.process().WaitForExit(), 0u);
  EXPECT_EQ(IniValue(run.Ini(), kSection, kKey), L"1");
}

TEST(RunModes, ABadWindowNumberWithImportarStillExportsButNeverCloses) {
  RunningProgram program({.parameters = {L"importar", L"12G4"}, .waitForWindow = false});
  program.folder.AddDemoTables();
  const auto box = WaitForFailureBox(program.process().id());
  ASSERT_TRUE(box);
  PressKey(box->window, VK_RETURN);
  EXPECT_EQ(AnswerExport(program.process().id(), program.folder.File(L"horario.xml")), L"Proceso finalizado");
  program.WaitForWindow();
  ASSERT_TRUE(program.window);
  EXPECT_TRUE(program.process().Running());
  Click(Salir(program.window));
  EXPECT_EQ(program.process().WaitForExit(), 0u);
  EXPECT_FALSE(FileExists(program.Ini()));
}

}  // namespace
}  // namespace zorva::driver
