// What the release check asks of an installed program that only Windows
// itself can tell:
//   release_probe window <program>   starts the program in its own folder,
//                                    waits for its main window, closes it
//                                    and expects exit code 0
//   release_probe version <file>     prints the file's version resource as
//                                    major.minor.patch.build
//   release_probe install <installer> [<folder>]
//                                    runs "<installer>" /S [/D=<folder>] and
//                                    ends with its exit code; the folder goes
//                                    unquoted, spaces and all, as the
//                                    installer wants it and as Wine's own
//                                    command line would not pass it
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/driver.h"

namespace {

using namespace zorva::driver;

int Fail(const char* what) {
  std::fprintf(stderr, "release_probe: %s\n", what);
  return 1;
}

int ShowsWindow(const std::wstring& program) {
  const std::wstring folder = std::filesystem::path(program).parent_path().wstring();
  Process process(program, {}, folder);
  const HWND window = WaitForTopWindow(process.id(), L"TMForm", L"Exportar datos horarios a ZORVA (Dadozuz)");
  if (!window) return Fail("the main window did not show");
  std::printf("window shown: %ls\n", Text(window).c_str());
  PostMessageW(window, WM_CLOSE, 0, 0);
  const auto code = process.WaitForExit();
  if (!code) return Fail("the program did not end after its window was closed");
  if (*code != 0) return Fail("the program ended with a code other than 0");
  return 0;
}

int PrintVersion(const std::wstring& file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return Fail("the file has no version resource");
  std::vector<char> block(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data()) ||
      !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || length < sizeof *info)
    return Fail("the version resource cannot be read");
  std::printf("%u.%u.%u.%u\n", unsigned{HIWORD(info->dwFileVersionMS)},
              unsigned{LOWORD(info->dwFileVersionMS)}, unsigned{HIWORD(info->dwFileVersionLS)},
              unsigned{LOWORD(info->dwFileVersionLS)});
  return 0;
}

int InstallSilently(const std::wstring& installer, const std::optional<std::wstring>& folder) {
  std::vector<std::wstring> arguments{L"/S"};
  if (folder) arguments.push_back(L"/D=" + *folder);
  Process process(installer, arguments, L"C:\\");
  const auto code = process.WaitForExit(60s);
  if (!code) return Fail("the installer did not end");
  return static_cast<int>(*code);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> arguments(argv + 1, argv + argc);
  if (arguments.size() == 2 && arguments[0] == L"window") return ShowsWindow(arguments[1]);
  if (arguments.size() == 2 && arguments[0] == L"version") return PrintVersion(arguments[1]);
  if (arguments.size() == 2 && arguments[0] == L"install") return InstallSilently(arguments[1], std::nullopt);
  if (arguments.size() == 3 && arguments[0] == L"install") return InstallSilently(arguments[1], arguments[2]);
  return Fail("usage: release_probe window <program> | version <file> | install <installer> [<folder>]");
}
