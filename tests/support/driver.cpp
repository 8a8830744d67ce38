#include "support/driver.h"

#include <tlhelp32.h>

#include <algorithm>
#include <filesystem>
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

void ProgramFolder::AddDemoTables() const {
  CopyTables(WindowsPath(Environment("ZORVA_DEMO_TABLES")), path_);
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

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
  if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

}  // namespace zorva::driver
