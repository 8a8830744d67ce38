#include "support/in_process_windows.h"

#include <cwchar>

#include "ui/application.h"

namespace zorva::test_support {

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout, TMForm* form) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (form && form->PreTranslateMessage(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

std::vector<std::string> SystemMenuEntries(HWND window) {
  static const struct {
    UINT id;
    const char* name;
  } names[] = {{SC_MOVE, "move"},       {SC_CLOSE, "close"},       {SC_RESTORE, "restore"},
               {SC_SIZE, "size"},       {SC_MINIMIZE, "minimise"}, {SC_MAXIMIZE, "maximise"},
               {SC_CONTEXTHELP, "help"}};
  std::vector<std::string> entries;
  const HMENU menu = GetSystemMenu(window, FALSE);
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID;
    GetMenuItemInfoW(menu, i, TRUE, &item);
    std::string entry = (item.fType & MFT_SEPARATOR) ? "separator" : "command " + std::to_string(item.wID);
    for (const auto& name : names)
      if (!(item.fType & MFT_SEPARATOR) && item.wID == name.id) entry = name.name;
    entries.push_back(entry);
  }
  return entries;
}

void TypeKey(WORD key) {
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}

ProgramWindow::ProgramWindow(std::string programFolder, const std::string& arguments)
    : help_(std::make_unique<RecordingEngine>(log_), programFolder, TheApplication().HelpFile),
      parameters_(programFolder + "TemposZORVA.exe", "TemposZORVA.exe " + arguments) {
  TheApplication().HelpFile = kProgramHelpFile;
  TheApplication().Title = "TemposZORVA";
  application_ = std::make_unique<ApplicationWindow>();
  form_ = std::make_unique<TMForm>(state_, parameters_, programFolder, help_, application_->handle());
  form_->Show();
  if (!arguments.empty()) return;
  SetForegroundWindow(window());
  Pump([&] { return GetForegroundWindow() == window() && GetFocus() == Button(L"&Salir"); }, 5s);
}

ProgramWindow::~ProgramWindow() {
  form_.reset();
  // A main window closed in the test asked the thread to quit, as it ends
  // the program; that request must not reach the next test's loops.
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

std::vector<HWND> ProgramWindow::Panels() const {
  std::vector<HWND> panels;
  for (HWND child = GetWindow(window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (std::wcscmp(className, L"TDraw3D") == 0) panels.push_back(child);
  }
  return panels;
}

HWND ProgramWindow::Button(const wchar_t* caption) const {
  for (HWND panel : Panels())
    if (const HWND button = FindWindowExW(panel, nullptr, L"Button", caption)) return button;
  return nullptr;
}

namespace {

CreationRefusal* refusal = nullptr;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

}  // namespace

CreationRefusal::CreationRefusal(std::wstring className, std::wstring caption, DWORD code,
                                 std::function<void()> before, HWND parent)
    : className_(std::move(className)),
      caption_(std::move(caption)),
      code_(code),
      before_(std::move(before)),
      parent_(parent) {
  refusal = this;
  hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

CreationRefusal::~CreationRefusal() {
  UnhookWindowsHookEx(hook_);
  refusal = nullptr;
}

LRESULT CALLBACK CreationRefusal::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && refusal) {
    const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    const bool placed = !refusal->parent_ || create.hwndParent == refusal->parent_;
    const bool named = refusal->caption_.empty() || (!IS_INTRESOURCE(create.lpszName) && create.lpszName &&
                                                     refusal->caption_ == create.lpszName);
    if (placed && named &&
        _wcsicmp(ClassOf(reinterpret_cast<HWND>(wParam)).c_str(), refusal->className_.c_str()) == 0) {
      if (refusal->before_) refusal->before_();
      ++refusal->refused_;
      SetLastError(refusal->code_);
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

namespace {

// Calls `tick` every tenth of a second while `run` runs, with `*slot`
// pointing at `state` for the tick to find; both are undone on every way out.
template <typename State>
void WhileTicking(State*& slot, State& state, TIMERPROC tick, const std::function<void()>& run) {
  slot = &state;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, tick);
  struct Stop {
    State*& slot;
    UINT_PTR timer;
    ~Stop() {
      KillTimer(nullptr, timer);
      slot = nullptr;
    }
  } stop{slot, timer};
  run();
}

std::vector<std::wstring>* answering = nullptr;

// Runs inside the failure box's own loop.
void CALLBACK AnswerTick(HWND, UINT, UINT_PTR, DWORD) {
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() || !IsWindowVisible(window) ||
        ClassOf(window) != L"#32770")
      continue;
    wchar_t text[512] = {};
    GetDlgItemTextW(window, 0xFFFF, text, 512);
    answering->push_back(text);
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return;
  }
}

}  // namespace

std::vector<std::wstring> AnswerFailureBoxes(const std::function<void()>& run) {
  std::vector<std::wstring> texts;
  WhileTicking(answering, texts, AnswerTick, run);
  return texts;
}

namespace {

struct Watch {
  NoticeSight sight;
  bool closing = false;  // Enter has been sent
  bool forced = false;   // Enter did not close the box: closed from its frame
};
Watch* watching = nullptr;

BOOL CALLBACK FindNotice(HWND window, LPARAM found) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wcscmp(className, L"TNoticeBox") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

RECT RectInClient(HWND child, HWND parent) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void Read(HWND box, NoticeSight& sight) {
  sight.box = box;
  GetClientRect(box, &sight.client);
  const HWND text = FindWindowExW(box, nullptr, L"Static", nullptr);
  const HWND button = FindWindowExW(box, nullptr, L"Button", nullptr);
  sight.text = RectInClient(text, box);
  sight.button = RectInClient(button, box);
  sight.shownText.resize(GetWindowTextLengthW(text) + 1);
  sight.shownText.resize(
      GetWindowTextW(text, sight.shownText.data(), static_cast<int>(sight.shownText.size())));
  const auto font = reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0));
  GetObjectW(font, sizeof sight.font, &sight.font);
  sight.systemMenu = SystemMenuEntries(box);
  sight.boxHelpContext = GetWindowContextHelpId(box);
  sight.textHelpContext = GetWindowContextHelpId(text);
  sight.buttonHelpContext = GetWindowContextHelpId(button);
}

// Runs inside the box's own loop. Enter goes to the box's button;
// were the box still open a tick later, it is closed from its frame so that
// the test ends and reports it.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  Watch& watch = *watching;
  if (watch.closing) {
    if (IsWindow(watch.sight.box)) {
      watch.forced = true;
      PostMessageW(watch.sight.box, WM_CLOSE, 0, 0);
    }
    return;
  }
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindNotice, reinterpret_cast<LPARAM>(&box));
  if (!box) return;
  Read(box, watch.sight);
  watch.closing = true;
  PostMessageW(FindWindowExW(box, nullptr, L"Button", nullptr), WM_KEYDOWN, VK_RETURN, 0);
}

}  // namespace

NoticeSight WatchNotice(const std::function<void()>& show) {
  Watch watch;
  WhileTicking(watching, watch, Tick, show);
  watch.sight.closedByEnter = watch.closing && !watch.forced;
  return watch.sight;
}

}  // namespace zorva::test_support
