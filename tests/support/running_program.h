#pragma once

// The program as a GUI test starts it: TemposZORVA.exe in a program folder of
// its own, by hand with its parameters or through the fake host, and its main
// window once shown.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/driver.h"

namespace zorva::driver {

struct StartOptions {
  std::vector<std::wstring> parameters;  // by hand: the program's parameters
  std::optional<std::wstring> host;      // through the fake host, with this first parameter
  bool fromWindowsFolder = false;        // the current folder; else the program folder
  bool waitForWindow = true;
  std::function<void(const ProgramFolder&)> prepare;  // before the start, on the folder
};

class RunningProgram {
 public:
  explicit RunningProgram(StartOptions options = {});

  ProgramFolder folder;
  HWND hostWindow = nullptr;  // when hosted
  HWND window = nullptr;      // the main window, once waited for

  // The process started: the program by hand, the fake host when hosted.
  const Process& process() const { return *process_; }
  // The program's own process; when hosted, known by its window in the host's.
  DWORD ProgramId() const;
  // The main window once shown, inside the host's when hosted.
  HWND WaitForWindow();

  HWND Button(const wchar_t* text) const { return FindChild(window, L"Button", text); }
  HWND Focus() const { return FocusOf(window); }
  std::wstring Ini() const { return folder.File(L"Tempovia.ini"); }

  // Presses "Aceptar" and answers the save dialog, an empty name cancelling
  // it; false when no dialog came.
  bool Export(const std::wstring& name) const;

 private:
  std::optional<Process> process_;
};

}  // namespace zorva::driver
