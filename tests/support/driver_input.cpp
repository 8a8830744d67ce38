// The driver: keys and clicks as from the keyboard and mouse, and the boxes
// and dialogs they answer.
#include "support/driver.h"

#include <thread>

namespace zorva::driver {

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
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
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
