#pragma once

// A driver that works TemposZORVA.exe as a person would: it starts the real
// program in a folder of its own, finds its windows, reads their texts,
// rectangles and pixels, and types and clicks at them.
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zorva::driver {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

// Polls `condition` until it holds or `timeout` has passed.
bool WaitUntil(const std::function<bool()>& condition, Duration timeout = 20s);

// A Windows path for a path given by the test's environment (a Unix path
// under Wine becomes one on drive Z:).
std::wstring WindowsPath(const std::string& path);

// The value of an environment variable the test was started with.
std::string Environment(const char* name);

// A fresh program folder: TemposZORVA.exe copied into a new temporary
// folder, removed again with everything in it at the end.
class ProgramFolder {
 public:
  ProgramFolder();
  // One at a place of the caller's (ending with "\"), made anew.
  explicit ProgramFolder(std::wstring path);
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::wstring& path() const { return path_; }  // ends with "\"
  std::wstring program() const { return path_ + L"TemposZORVA.exe"; }
  std::wstring File(const std::wstring& name) const { return path_ + name; }

  // Copies a set of six tables in: SOLUC into c:\ttemp (whatever SOLUC
  // was there goes first), the others into the program folder. `set` names
  // a folder of the fixture sets (school, missing-field, no-soluc, ...).
  void AddTables(const std::string& set) const;
  // The demo school's tables.
  void AddDemoTables() const;

 private:
  std::wstring path_;
};

// Reading and writing files the program leaves.
bool FileExists(const std::wstring& path);
// The names of the files that match a pattern such as C:\folder\*.xml.
std::vector<std::wstring> FindFiles(const std::wstring& pattern);
std::string ReadFile(const std::wstring& path);
void WriteFile(const std::wstring& path, const std::string& content);
std::wstring IniValue(const std::wstring& file, const std::wstring& section, const std::wstring& key);

// A started process, ended with every process it started at the end of the
// scope if it is still running.
class Process {
 public:
  Process(const std::wstring& program, const std::vector<std::wstring>& arguments,
          const std::wstring& folder);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD id() const { return info_.dwProcessId; }
  bool Running() const;
  // This process and every process it started, and they started.
  std::vector<DWORD> Family() const;
  // The exit code once it has ended within the timeout.
  std::optional<DWORD> WaitForExit(Duration timeout = 20s) const;

 private:
  PROCESS_INFORMATION info_{};
  HANDLE job_ = nullptr;
};

// Windows.
std::vector<HWND> TopWindows(DWORD processId, const std::wstring& className = L"");
HWND WaitForTopWindow(DWORD processId, const std::wstring& className, const std::wstring& title = L"",
                      Duration timeout = 20s);
// The top-level windows of a class on another desktop, such as a Wine
// virtual desktop started as `explorer /desktop=<name>,<width>x<height>`.
// Seen from outside, no window there counts as visible: HasVisibleStyle
// tells whether it has been shown.
std::vector<HWND> DesktopWindows(const std::wstring& desktop, const std::wstring& className);
bool HasVisibleStyle(HWND window);
HWND FindChild(HWND parent, const std::wstring& className, const std::wstring& text);
std::vector<HWND> Children(HWND parent);
std::wstring Text(HWND window);
RECT ClientRectOnScreen(HWND window);
RECT RectInClient(HWND window, HWND relativeTo);  // window's rect in relativeTo's client coordinates
HWND FocusOf(HWND window);                        // the focus in the thread that owns window

// Pixels on the screen, as the user sees them.
COLORREF ScreenPixel(int x, int y);
// Saves what the screen shows of a window as a 24-bit BMP file.
void SaveScreenshot(HWND window, const std::wstring& file);

// Input, as from the keyboard and mouse: the target window is brought to
// the front first.
enum Modifier : unsigned { kNone = 0, kShift = 1, kCtrl = 2, kAlt = 4 };
// Waits until the program that owns the window waits for input.
void WaitForIdle(HWND window);
void BringToFront(HWND window);
void PressKey(HWND window, WORD key, unsigned modifiers = kNone);
void Click(HWND window);
// Presses a button through the button itself. Under Wine a window inside
// another process's window gets no mouse input, so this stands in for a
// click there.
void PressButton(HWND button);

// The program's boxes and dialogs.
struct Box {
  HWND window = nullptr;
  std::wstring text;
};
// The failure box (the desktop's message box) or the notice box, once open.
std::optional<Box> WaitForFailureBox(DWORD processId, Duration timeout = 20s);
std::optional<Box> WaitForNotice(DWORD processId, Duration timeout = 20s);
// Types a name into the save dialog and confirms it, or cancels it.
HWND WaitForSaveDialog(DWORD processId, Duration timeout = 20s);
void ConfirmSaveDialog(HWND dialog, const std::wstring& fileName);
void CancelSaveDialog(HWND dialog);

// The clipboard's text.
std::wstring ClipboardText();

}  // namespace zorva::driver
