#include "help/html_help_engine.h"

#include <windows.h>

#include <utility>

#include "base/win32_handles.h"

namespace zorva {
namespace {

using HtmlHelpEntry = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

class HtmlHelpEngine final : public HelpEngine {
 public:
  HtmlHelpEngine(unique_hmodule library, HtmlHelpEntry entry) : library_(std::move(library)), entry_(entry) {}

  void Call(std::uintptr_t caller, const char* file, unsigned command, std::uintptr_t data) override {
    entry_(reinterpret_cast<HWND>(caller), file, command, data);
  }

 private:
  unique_hmodule library_;
  HtmlHelpEntry entry_;
};

}  // namespace

std::unique_ptr<HelpEngine> LoadHtmlHelpEngine() {
  // From the system folder only: a copy in the program folder must never run.
  unique_hmodule library(LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!library) return nullptr;
  const FARPROC entry = GetProcAddress(library.get(), "HtmlHelpA");
  if (!entry) return nullptr;
  return std::make_unique<HtmlHelpEngine>(
      std::move(library), reinterpret_cast<HtmlHelpEntry>(reinterpret_cast<void (*)()>(entry)));
}

}  // namespace zorva
