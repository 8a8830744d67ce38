// Start-up of TemposZORVA.exe under Wine, through the GUI driver: the time
// from starting the process to its main window being visible, beside the same
// for a bare window program, in alternating runs. Prints the medians and
// their ratio. ZORVA_PROGRAM names TemposZORVA.exe, as for the GUI tests.
//
//     startup_bench RUNS BARE_WINDOW_EXE
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/driver.h"

namespace {

namespace driver = zorva::driver;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Milliseconds from starting the program to a visible top-level window of
// the class; the window is then closed as its close box closes it.
double TimeToWindow(const std::wstring& program, const std::wstring& folder, const std::wstring& className) {
  const auto start = Clock::now();
  driver::Process process(program, {}, folder);
  HWND shown = nullptr;
  while (!shown) {
    for (HWND window : driver::TopWindows(process.id(), className))
      if (driver::HasVisibleStyle(window)) shown = window;
    if (Clock::now() - start > 60s) throw std::runtime_error("no window within a minute");
    if (!shown) Sleep(1);
  }
  const double milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  PostMessageW(shown, WM_CLOSE, 0, 0);
  process.WaitForExit(20s);
  return milliseconds;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: startup_bench RUNS BARE_WINDOW_EXE\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  const std::wstring bare = driver::WindowsPath(argv[2]);
  const driver::ProgramFolder folder;
  wchar_t bareFolder[MAX_PATH];
  GetTempPathW(MAX_PATH, bareFolder);
  // A first run of each, not counted, so that both find their files cached.
  TimeToWindow(bare, bareFolder, L"ZorvaBareWindow");
  TimeToWindow(folder.program(), folder.path(), L"TMForm");
  std::vector<double> bareTimes, programTimes;
  for (int run = 0; run < runs; ++run) {
    bareTimes.push_back(TimeToWindow(bare, bareFolder, L"ZorvaBareWindow"));
    programTimes.push_back(TimeToWindow(folder.program(), folder.path(), L"TMForm"));
  }
  const double bareMedian = Median(bareTimes), programMedian = Median(programTimes);
  std::printf("bare window:  median %.0f ms, %.0f to %.0f ms (%d runs)\n", bareMedian,
              *std::min_element(bareTimes.begin(), bareTimes.end()),
              *std::max_element(bareTimes.begin(), bareTimes.end()), runs);
  std::printf("TemposZORVA:  median %.0f ms, %.0f to %.0f ms (%d runs)\n", programMedian,
              *std::min_element(programTimes.begin(), programTimes.end()),
              *std::max_element(programTimes.begin(), programTimes.end()), runs);
  std::printf("ratio: TemposZORVA takes %.2f times the bare window's start-up\n", programMedian / bareMedian);
  return 0;
}
