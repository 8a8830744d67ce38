// Takes the pictures that the guide and the help show, from the real
// program as a person works it, in C:\Tempovia with the demo school:
//   picture_tour.exe <folder>
// It saves one BMP a picture into the folder, each cropped to its window:
//   ventana     the window, started by hand
//   guardar     the save dialog after Aceptar
//   finalizado  the notice at the end of an export
//   error       the failure box when a table is missing
//   anfitrion   the host's window with the program inside it; Wine draws
//               nothing of a window inside another process's window, so
//               this one comes with anfitrion-programa, the program's window
//               as host mode draws it on its own ("mirar 0"), and
//               anfitrion.txt, where that lies in the host's ("WxH+x+y")
// The driver takes the program, the fake host and the demo school from the
// environment, as in the GUI tests. Run it inside a Wine virtual desktop, so
// that Wine draws the windows' frames. Ends with 1, naming the picture, when
// a window does not show.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

#include "support/driver.h"

namespace {

using namespace zorva::driver;

const std::wstring kTempovia = L"C:\\Tempovia\\";
std::wstring pictures;

bool Save(HWND window, const wchar_t* name) {
  if (!window) {
    std::fprintf(stderr, "picture_tour: no window for %ls\n", name);
    return false;
  }
  BringToFront(window);
  Sleep(500);  // the window paints after it has become idle
  SaveScreenshot(window, pictures + name + L".bmp");
  return true;
}

HWND Aceptar(HWND window) { return FindChild(window, L"Button", L"Aceptar"); }

// Aceptar, and the name horario.xml in the save dialog, once it has been
// saved as `dialogPicture` (unless null). The dialog, or null.
HWND Export(const Process& process, HWND window, const wchar_t* dialogPicture) {
  PressButton(Aceptar(window));
  const HWND dialog = WaitForSaveDialog(process.id());
  if (!dialog || (dialogPicture && !Save(dialog, dialogPicture))) return nullptr;
  ConfirmSaveDialog(dialog, kTempovia + L"horario.xml");
  return dialog;
}

bool ByHand() {
  ProgramFolder program(kTempovia);
  program.AddDemoTables();
  Process process(program.program(), {}, program.path());
  const HWND window = WaitForTopWindow(process.id(), L"TMForm");
  if (!Save(window, L"ventana") || !Export(process, window, L"guardar")) return false;
  const auto notice = WaitForNotice(process.id(), 60s);
  return Save(notice ? notice->window : nullptr, L"finalizado");
}

bool MissingTable() {
  ProgramFolder program(kTempovia);
  program.AddDemoTables();
  DeleteFileW(program.File(L"PROF.DBF").c_str());
  Process process(program.program(), {}, program.path());
  const HWND window = WaitForTopWindow(process.id(), L"TMForm");
  const auto box =
      window && Export(process, window, nullptr) ? WaitForFailureBox(process.id(), 60s) : std::nullopt;
  return Save(box ? box->window : nullptr, L"error");
}

// Inside the host as Tempovia shows it before it exports ("mirar": the
// program waits for the person instead of exporting at once).
bool Hosted() {
  ProgramFolder program(kTempovia);
  program.AddDemoTables();
  {
    Process host(WindowsPath(Environment("ZORVA_FAKE_HOST")), {L"\"" + program.program() + L"\"", L"mirar"},
                 program.path());
    const HWND hostWindow = WaitForTopWindow(host.id(), L"ZorvaFakeHost");
    HWND window = nullptr;
    WaitUntil([&] {
      return hostWindow && (window = FindChild(hostWindow, L"TMForm", L"")) && IsWindowVisible(window);
    });
    if (!window) return Save(nullptr, L"anfitrion");
    WaitForIdle(window);
    RECT hostRect, windowRect;
    GetWindowRect(hostWindow, &hostRect);
    GetWindowRect(window, &windowRect);
    const std::string place = std::to_string(windowRect.right - windowRect.left) + "x" +
                              std::to_string(windowRect.bottom - windowRect.top) + "+" +
                              std::to_string(windowRect.left - hostRect.left) + "+" +
                              std::to_string(windowRect.top - hostRect.top);
    WriteFile(pictures + L"anfitrion.txt", place + "\n");
    if (!Save(hostWindow, L"anfitrion")) return false;
  }
  Process alone(program.program(), {L"mirar", L"0"}, program.path());
  return Save(WaitForTopWindow(alone.id(), L"TMForm"), L"anfitrion-programa");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: picture_tour <folder>\n");
    return 2;
  }
  pictures = argv[1];
  if (pictures.back() != L'\\') pictures += L'\\';
  try {
    return ByHand() && MissingTable() && Hosted() ? 0 : 1;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "picture_tour: %s\n", failure.what());
    return 1;
  }
}
