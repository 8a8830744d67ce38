#include "support/driver.h"

#include <tlhelp32.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

namespace zorva::driver {
namespace fs = std::filesystem;

bool WaitUntil(const std::function<bool()>& condition, Duration timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(50ms);
  }
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value) throw std::runtime_error(std::string("the test needs the environment variable ") + name);
  return value;
}

std::wstring WindowsPath(const std::string& path) {
  std::wstring wide(path.begin(), path.end());
  if (!wide.empty() && wide[0] == L'/') wide = L"Z:" + wide;
  for (wchar_t& c : wide)
    if (c == L'/') c = L'\\';
  return wide;
}

// --- folders and files

namespace {

std::wstring FreshTempFolder() {
  static int serial = 0;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"zorva-gui-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(++serial) + L"\\";
}

}  // namespace

ProgramFolder::ProgramFolder() : ProgramFolder(FreshTempFolder()) {}

ProgramFolder::ProgramFolder(std::wstring path) : path_(std::move(path)) {
  fs::remove_all(path_);
  fs::create_directories(path_);
  if (!CopyFileW(WindowsPath(Environment("ZORVA_PROGRAM")).c_str(), program().c_str(), FALSE))
    throw std::runtime_error("cannot copy TemposZORVA.exe into the program folder");
}

ProgramFolder::~ProgramFolder() {
  std::error_code ignored;
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored))
    SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  fs::remove_all(path_, ignored);
}

namespace {

void CopyTables(const fs::path& tables, const std::wstring& programFolder) {
  const fs::path ttemp = L"C:\\ttemp";
  fs::create_directories(ttemp);
  for (const auto& entry : fs::directory_iterator(ttemp)) {
    std::wstring upper = entry.path().filename().wstring();
    for (wchar_t& c : upper) c = towupper(c);
    if (upper.rfind(L"SOLUC.", 0) == 0) fs::remove(entry.path());
  }
  for (const auto& entry : fs::directory_iterator(tables)) {
    const std::wstring name = entry.path().filename().wstring();
    std::wstring upper = name;
    for (wchar_t& c : upper) c = towupper(c);
    const bool soluc = upper.rfind(L"SOLUC.", 0) == 0;
    fs::copy_file(entry.path(), soluc ? ttemp / name : fs::path(programFolder) / name,
                  fs::copy_options::overwrite_existing);
  }
}

}  // namespace

void ProgramFolder::AddTables(const std::string& set) const {
  CopyTables(fs::path(WindowsPath(Environment("ZORVA_FIXTURES"))) / set, path_);
}

void ProgramFolder::AddDemoTables() const { CopyTables(WindowsPath(Environment("ZORVA_DEMO_TABLES")), path_); }

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::wstring> FindFiles(const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::string ReadFile(const std::wstring& path) {
  std::ifstream in(fs::path(path), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteFile(const std::wstring& path, const std::string& content) {
  std::ofstream out(fs::path(path), std::ios::binary);
  out << content;
}

std::wstring IniValue(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
  wchar_t value[256];
  GetPrivateProfileStringW(section.c_str(), key.c_str(), L"<none>", value, 256, file.c_str());
  return value;
}

// --- processes

namespace {
std::wstring ClassOf(HWND window);
BOOL CALLBACK CollectChild(HWND window, LPARAM lParam);
}  // namespace

Process::Process(const std::wstring& program, const std::vector<std::wstring>& arguments,
                 const std::wstring& folder) {
  std::wstring line = L"\"" + program + L"\"";
  for (const std::wstring& argument : arguments) line += L" " + argument;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // The process and whatever it starts form one job, ended as a whole.
  job_ = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                      folder.c_str(), &startup, &info_)) {
    CloseHandle(job_);
    throw std::runtime_error("cannot start the program");
  }
  AssignProcessToJobObject(job_, info_.hProcess);
  ResumeThread(info_.hThread);
}

Process::~Process() {
  // Wine does not always end a job's later members with it: each process
  // of the family is ended on its own too, children first.
  std::vector<DWORD> family = Family();
  TerminateJobObject(job_, 99);
  for (auto id = family.rbegin(); id != family.rend(); ++id)
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, *id)) {
      TerminateProcess(process, 99);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  WaitForSingleObject(info_.hProcess, 5000);
  CloseHandle(job_);
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

// The process and its descendants, known by their parent process ids.
std::vector<DWORD> Process::Family() const {
  std::vector<PROCESSENTRY32W> all;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    all.push_back(entry);
  CloseHandle(snapshot);
  std::vector<DWORD> family{info_.dwProcessId};
  for (std::size_t i = 0; i < family.size(); ++i)
    for (const PROCESSENTRY32W& process : all)
      if (process.th32ParentProcessID == family[i] && process.th32ProcessID != family[i] &&
          std::find(family.begin(), family.end(), process.th32ProcessID) == family.end())
        family.push_back(process.th32ProcessID);
  return family;
}

bool Process::Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::WaitForExit(Duration timeout) const {
  if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

// --- windows

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

struct TopWindowQuery {
  DWORD process;
  std::wstring className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM lParam) {
  auto& query = *reinterpret_cast<TopWindowQuery*>(lParam);
  if (ProcessOf(window) == query.process && (query.className.empty() || ClassOf(window) == query.className))
    query.found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopWindows(DWORD processId, const std::wstring& className) {
  TopWindowQuery query{processId, className, {}};
  EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND WaitForTopWindow(DWORD processId, const std::wstring& className, const std::wstring& title, Duration timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopWindows(processId, className))
          if (IsWindowVisible(window) && (title.empty() || Text(window) == title)) {
            found = window;
            return true;
          }
        return false;
      },
      timeout);
  return found;
}

std::vector<HWND> DesktopWindows(const std::wstring& desktop, const std::wstring& className) {
  std::vector<HWND> all;
  if (HDESK handle = OpenDesktopW(desktop.c_str(), 0, FALSE, GENERIC_ALL)) {
    EnumDesktopWindows(handle, CollectChild, reinterpret_cast<LPARAM>(&all));
    CloseDesktop(handle);
  }
  std::vector<HWND> found;
  for (HWND window : all)
    if (ClassOf(window) == className) found.push_back(window);
  return found;
}

bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND FindChild(HWND parent, const std::wstring& className, const std::wstring& text) {
  for (HWND child : Children(parent))
    if ((className.empty() || ClassOf(child) == className) && (text.empty() || Text(child) == text)) return child;
  return nullptr;
}

std::wstring Text(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &ignored);
  return text;
}

RECT ClientRectOnScreen(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

RECT RectInClient(HWND window, HWND relativeTo) {
  RECT rect{-1, -1, -1, -1};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, relativeTo, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// --- pixels

COLORREF ScreenPixel(int x, int y) {
  const HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

void SaveScreenshot(HWND window, const std::wstring& file) {
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) & ~3;
  std::string pixels(static_cast<std::size_t>(stride) * height, '\0');

  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, previous);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;
  fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
  fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(fs::path(file), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

// --- input

namespace {

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

void WaitForIdle(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id)) {
    WaitForInputIdle(process, 5000);
    CloseHandle(process);
  }
}

void BringToFront(HWND window) {
  WaitForIdle(window);
  const HWND root = GetAncestor(window, GA_ROOT);
  if (GetForegroundWindow() == root) return;
  SetForegroundWindow(root);
  WaitUntil([root] { return GetForegroundWindow() == root; }, 5s);
  WaitForIdle(window);
}

void PressKey(HWND window, WORD key, unsigned modifiers) {
  BringToFront(window);
  std::vector<INPUT> inputs;
  const std::pair<unsigned, WORD> keys[] = {{kCtrl, VK_CONTROL}, {kShift, VK_SHIFT}, {kAlt, VK_MENU}};
  for (const auto& [flag, vk] : keys)
    if (modifiers & flag) inputs.push_back(KeyInput(vk, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
    if (modifiers & it->first) inputs.push_back(KeyInput(it->second, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  std::this_thread::sleep_for(300ms);  // let the program take the keys in
}

void Click(HWND window) {
  BringToFront(window);
  RECT rect;
  GetWindowRect(window, &rect);
  const int x = (rect.left + rect.right) / 2;
  const int y = (rect.top + rect.bottom) / 2;
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  inputs[0].mi.dx = (x * 65535 + width / 2) / (width - 1);
  inputs[0].mi.dy = (y * 65535 + height / 2) / (height - 1);
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, inputs, sizeof(INPUT));
  std::this_thread::sleep_for(300ms);
}

void PressButton(HWND button) {
  PostMessageW(button, BM_CLICK, 0, 0);
  std::this_thread::sleep_for(300ms);
}

// --- boxes and dialogs

std::optional<Box> WaitForFailureBox(DWORD processId, Duration timeout) {
  const HWND box = WaitForTopWindow(processId, L"#32770", L"TemposZORVA", timeout);
  if (!box) return std::nullopt;
  return Box{box, Text(GetDlgItem(box, 0xFFFF))};
}

std::optional<Box> WaitForNotice(DWORD processId, Duration timeout) {
  const HWND box = WaitForTopWindow(processId, L"TNoticeBox", L"", timeout);
  if (!box) return std::nullopt;
  return Box{box, Text(FindChild(box, L"Static", L""))};
}

HWND WaitForSaveDialog(DWORD processId, Duration timeout) {
  return WaitForTopWindow(processId, L"#32770", L"Guardar Archivo XML", timeout);
}

void ConfirmSaveDialog(HWND dialog, const std::wstring& fileName) {
  // The file name box: a combo box with an edit, or an edit of its own.
  constexpr int kFileNameCombo = 0x47C;
  constexpr int kFileNameEdit = 0x480;
  HWND box = GetDlgItem(dialog, kFileNameCombo);
  if (!box || !IsWindowVisible(box)) box = GetDlgItem(dialog, kFileNameEdit);
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void CancelSaveDialog(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace zorva::driver
