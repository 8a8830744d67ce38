// The export of TemposZORVA.exe itself under Wine, through the GUI driver:
// the program is started in a program folder of its own with a school's six
// tables (SOLUC in c:\ttemp), "Aceptar" is pressed and the save dialog
// answered. Prints for each run: the seconds from the answer to the export's
// start (its temporary file appearing beside the target, which the document
// service makes first), the seconds from that start to the notice "Proceso
// finalizado", and the program's peak memory in MB (its peak working set).
// ZORVA_PROGRAM names TemposZORVA.exe, ZORVA_FIXTURES the folder that holds
// the school's folder, as for the GUI tests.
//
//     gui_export_bench SCHOOL RUNS
#include <psapi.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "support/driver.h"

namespace {

namespace driver = zorva::driver;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct Measure {
  double toStart;  // seconds from the dialog's answer to the export's start
  double exportSeconds;
  double peakMegabytes;
};

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double PeakMegabytes(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return 0;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const BOOL read = GetProcessMemoryInfo(process, &counters, sizeof counters);
  CloseHandle(process);
  return read ? static_cast<double>(counters.PeakWorkingSetSize) / (1024 * 1024) : 0;
}

Measure ExportOnce(const std::string& school) {
  const driver::ProgramFolder folder;
  folder.AddTables(school);
  driver::Process process(folder.program(), {}, folder.path());
  const HWND window = driver::WaitForTopWindow(process.id(), L"TMForm");
  if (!window) throw std::runtime_error("no main window");
  driver::Click(driver::FindChild(window, L"Button", L"Aceptar"));
  const HWND dialog = driver::WaitForSaveDialog(process.id());
  if (!dialog) throw std::runtime_error("no save dialog");
  driver::ConfirmSaveDialog(dialog, folder.File(L"horario.xml"));
  const auto answered = Clock::now();
  const bool started = driver::WaitUntil(
      [&] {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW(folder.File(L"zrv*.tmp").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return false;
        FindClose(search);
        return true;
      },
      60s);
  if (!started) throw std::runtime_error("the export did not start");
  const double toStart = Since(answered);
  const auto start = Clock::now();
  const auto notice = driver::WaitForNotice(process.id(), 600s);
  const double seconds = Since(start);
  if (!notice || notice->text != L"Proceso finalizado") throw std::runtime_error("the export did not finish");
  const double peak = PeakMegabytes(process.id());
  driver::PressKey(notice->window, VK_RETURN);
  PostMessageW(window, WM_CLOSE, 0, 0);
  process.WaitForExit(20s);
  return {toStart, seconds, peak};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gui_export_bench SCHOOL RUNS\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[2]));
  for (int run = 0; run < runs; ++run) {
    const Measure measure = ExportOnce(argv[1]);
    std::printf("%.3f %.3f %.1f\n", measure.toStart, measure.exportSeconds, measure.peakMegabytes);
  }
  return 0;
}
