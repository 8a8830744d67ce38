#include "support/running_program.h"

namespace zorva::driver {

RunningProgram::RunningProgram(StartOptions options) {
  if (options.prepare) options.prepare(folder);
  std::wstring current = folder.path();
  if (options.fromWindowsFolder) {
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    current = windows;
  }
  if (options.host) {
    process_.emplace(WindowsPath(Environment("ZORVA_FAKE_HOST")),
                     std::vector<std::wstring>{L"\"" + folder.program() + L"\"", *options.host}, current);
    hostWindow = WaitForTopWindow(process_->id(), L"ZorvaFakeHost");
  } else {
    process_.emplace(folder.program(), options.parameters, current);
  }
  if (options.waitForWindow) WaitForWindow();
}

DWORD RunningProgram::ProgramId() const {
  if (!hostWindow) return process_->id();
  HWND hosted = nullptr;
  WaitUntil([&] { return (hosted = FindChild(hostWindow, L"TMForm", L"")) != nullptr; });
  DWORD id = 0;
  GetWindowThreadProcessId(hosted, &id);
  return id;
}

HWND RunningProgram::WaitForWindow() {
  if (!hostWindow) return window = WaitForTopWindow(process_->id(), L"TMForm");
  WaitUntil([&] { return (window = FindChild(hostWindow, L"TMForm", L"")) && IsWindowVisible(window); });
  return window;
}

bool RunningProgram::Export(const std::wstring& name) const {
  Click(Button(L"Aceptar"));
  const HWND dialog = WaitForSaveDialog(process_->id());
  if (!dialog) return false;
  if (name.empty())
    CancelSaveDialog(dialog);
  else
    ConfirmSaveDialog(dialog, name);
  return true;
}

}  // namespace zorva::driver
