// A stand-in for the timetabling program that hosts TemposZORVA: it opens a
// window, starts `<program> <word> <its window handle in hex>` and waits,
// pumping its messages, until the program has ended. Its exit code is the
// program's, or 98 when the program could not be started.
//
//   fake_host.exe <path of TemposZORVA.exe> [first parameter, "importar" by default]
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (count < 2) return 97;
  const std::wstring program = arguments[1];
  const std::wstring word = count > 2 ? arguments[2] : L"importar";

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  windowClass.lpszClassName = L"ZorvaFakeHost";
  RegisterClassExW(&windowClass);
  const HWND host =
      CreateWindowExW(0, L"ZorvaFakeHost", L"Fake host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                      40, 30, 900, 600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);

  wchar_t handle[16];
  std::swprintf(handle, 16, L"%lX",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(host) & 0xFFFFFFFFu));
  std::wstring line = L"\"" + program + L"\" " + word + L" " + handle;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return 98;
  CloseHandle(process.hThread);

  for (;;) {
    const DWORD woke = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) break;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  DestroyWindow(host);
  return static_cast<int>(code);
}
