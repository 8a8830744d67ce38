// A stand-in for the HTML Help engine library, for tests: its entry
// HtmlHelpA appends each call as one line to the file that the environment
// variable ZORVA_HELP_LOG names, and shows nothing.
#include <windows.h>

#include <cstdint>
#include <cstdio>

extern "C" __declspec(dllexport) HWND WINAPI
    HtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
  // Read from the process's environment block, not this library's copy.
  char path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("ZORVA_HELP_LOG", path, sizeof path);
  if (length == 0 || length >= sizeof path) return nullptr;
  FILE* log = std::fopen(path, "ab");
  if (!log) return nullptr;
  std::fprintf(log, "caller=%llu command=%u file=%s data=",
               static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(caller)), command,
               file ? file : "(null)");
  if (command == 2)
    std::fputs(reinterpret_cast<const char*>(data), log);
  else
    std::fprintf(log, "%llu", static_cast<unsigned long long>(data));
  std::fputc('\n', log);
  std::fclose(log);
  return nullptr;
}
