#pragma once

// The program's windows built inside the test process, where Wine lets a
// test read what it keeps from other processes: the system menu, the help
// contexts, the focus on the window itself. Messages are run on the test
// thread, as the program's own loop runs them.
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/run_modes.h"
#include "app/start_parameters.h"
#include "help/program_help.h"
#include "support/recording_engine.h"
#include "ui/application_window.h"
#include "ui/main_window.h"

namespace zorva::test_support {

using namespace std::chrono_literals;

// Runs the thread's messages until `done` holds or `timeout` has passed; with
// a form, its keys go to it first, as in the program's loop. Returns whether
// `done` held.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s,
               TMForm* form = nullptr);

// A window's system menu, entry by entry: "move", "close", "separator", or
// the name or number of any other command.
std::vector<std::string> SystemMenuEntries(HWND window);

// Types a key as the keyboard would: it reaches the focused window of the
// foreground window through the system's input queue.
void TypeKey(WORD key);

// The main window as the program builds it, owned by the application window
// and shown, with its help served by a recording engine. Started by hand
// (no arguments) it is also active, with the focus on "Salir".
class ProgramWindow {
 public:
  explicit ProgramWindow(std::string programFolder = "C:\\Tempovia\\", const std::string& arguments = "");
  ~ProgramWindow();
  ProgramWindow(const ProgramWindow&) = delete;
  ProgramWindow& operator=(const ProgramWindow&) = delete;

  TMForm& form() { return *form_; }
  HWND window() const { return form_->handle(); }
  const ProgramState& state() const { return state_; }
  HWND application() const { return application_->handle(); }
  std::vector<HWND> Panels() const;
  HWND Button(const wchar_t* caption) const;
  const EngineLog& EngineCalls() const { return *log_; }
  bool Pump(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s) {
    return PumpUntil(done, timeout, form_.get());
  }

 private:
  std::shared_ptr<EngineLog> log_ = std::make_shared<EngineLog>();
  ProgramHelp help_;
  ProgramState state_;
  CommandLineParameters parameters_;
  std::unique_ptr<ApplicationWindow> application_;
  std::unique_ptr<TMForm> form_;
};

// Runs `run` on the test thread while a timer there answers every failure
// box that opens; gives the boxes' texts in the order they came.
std::vector<std::wstring> AnswerFailureBoxes(const std::function<void()>& run);

// For its scope, the system refuses to make the thread's windows of a class
// (and, when given, of a caption and a parent), leaving `code` as the last
// error; `before` runs just before each refusal.
class CreationRefusal {
 public:
  CreationRefusal(std::wstring className, std::wstring caption, DWORD code, std::function<void()> before = {},
                  HWND parent = nullptr);
  ~CreationRefusal();
  CreationRefusal(const CreationRefusal&) = delete;
  CreationRefusal& operator=(const CreationRefusal&) = delete;
  int refused() const { return refused_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  std::wstring className_;
  std::wstring caption_;
  DWORD code_;
  std::function<void()> before_;
  HWND parent_;
  HHOOK hook_ = nullptr;
  int refused_ = 0;
};

// What the notice box showed, read while it was open.
struct NoticeSight {
  HWND box = nullptr;
  RECT client{};
  RECT text{};    // the text control, in the box's client coordinates
  RECT button{};  // the button, likewise
  std::wstring shownText;
  LOGFONTW font{};
  std::vector<std::string> systemMenu;
  DWORD boxHelpContext = 0;
  DWORD textHelpContext = 0;
  DWORD buttonHelpContext = 0;
  bool closedByEnter = false;
};

// Calls `show` (which opens the notice box and returns once it is closed) on
// the test thread while a timer there watches for the box, reads it and
// closes it with Enter.
NoticeSight WatchNotice(const std::function<void()>& show);

}  // namespace zorva::test_support
