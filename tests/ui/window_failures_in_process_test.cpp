// The window under stress, inside the process that owns it: a host window
// that goes before the attach, controls the system refuses, a window being
// destroyed, the desktop's colours changing under a hosted window, a copy
// that fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "support/in_process_windows.h"
#include "textforms/failure.h"
#include "textforms/system_text.h"
#include "ui/clipboard.h"
#include "ui/notice_box.h"
#include "ui/wide_text.h"

namespace zorva::test_support {
namespace {

constexpr DWORD kNoTextCode = 0x2000ABCD;  // a code of the customer range, which the system has no words for

// What the failure box shows for a system error code.
std::wstring BoxText(DWORD code) {
  SetLastError(code);
  return WideText(LastSystemErrorText()) + L".";
}

// A top-level window of the test that stands for the host program's.
class HostWindow {
 public:
  HostWindow() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZorvaTestHost";
    RegisterClassExW(&windowClass);
    window_ =
        CreateWindowExW(0, L"ZorvaTestHost", L"Host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                        0, 1000, 700, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~HostWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND get() const { return window_; }
  std::string Number() const {
    char number[16];
    std::snprintf(number, sizeof number, "%lX",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window_)));
    return number;
  }

 private:
  HWND window_ = nullptr;
};

TEST(WindowFailuresInProcess, AHostWindowGoneJustBeforeTheAttachLeavesTheFramedWindowOutsideHostMode) {
  HostWindow host;
  std::unique_ptr<ProgramWindow> program;
  const HWND hostWindow = host.get();
  const CreationRefusal refusal(
      L"TMForm", L"", ERROR_INVALID_WINDOW_HANDLE, [&] { DestroyWindow(hostWindow); }, hostWindow);
  const std::vector<std::wstring> boxes = AnswerFailureBoxes(
      [&] { program = std::make_unique<ProgramWindow>("C:\\Tempovia\\", "mirar " + host.Number()); });
  EXPECT_EQ(refusal.refused(), 1);
  EXPECT_EQ(boxes, std::vector<std::wstring>{BoxText(ERROR_INVALID_WINDOW_HANDLE)});
  const HWND window = program->window();
  ASSERT_TRUE(IsWindow(window)) << "the program goes on with a window";
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION, WS_CAPTION) << "the framed window";
  EXPECT_EQ(GetWindow(window, GW_OWNER), program->application());
  EXPECT_FALSE(program->state().HostMode());
  for (const wchar_t* caption : {L"Aceptar", L"&Salir", L"F1 AYUDA"})
    EXPECT_TRUE(program->Button(caption)) << caption;
}

// Each control the system refuses to make raises the system's text; a code
// that says nothing is named instead.
TEST(WindowFailuresInProcess, AControlTheSystemRefusesRaisesTheSystemsText) {
  const struct {
    const char* what;
    const wchar_t* className;
    const wchar_t* caption;
    DWORD code;
    bool notice;  // a control of the notice box, not of the main window
  } cases[] = {
      {"panel", L"TDraw3D", L"", ERROR_NOT_ENOUGH_MEMORY, false},
      {"bitmap button", L"Button", L"Aceptar", 0, false},
      {"push button", L"Button", L"F1 AYUDA", kNoTextCode, false},
      {"notice text", L"Static", L"Proceso finalizado", ERROR_NOT_ENOUGH_MEMORY, true},
      {"notice button", L"Button", L"Aceptar", 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const CreationRefusal refusal(c.className, c.caption, c.code);
    std::optional<std::string> raised;
    const auto attempt = [&] {
      try {
        if (c.notice)
          ShowNotice("Proceso finalizado");
        else
          ProgramWindow program;
      } catch (const Failure& failure) {
        raised = failure.text();
      }
    };
    if (c.notice)
      WatchNotice(attempt);  // closes the box, were it made regardless
    else
      attempt();
    EXPECT_EQ(refusal.refused(), 1);
    ASSERT_TRUE(raised) << "no failure raised";
    EXPECT_EQ(WideText(*raised) + L".", BoxText(c.code));
  }
  EXPECT_EQ(BoxText(0), L"Error del sistema 0.");
  EXPECT_EQ(BoxText(kNoTextCode), L"Error del sistema 536914893.");
}

// While the window is being destroyed it still answers for itself.
TEST(WindowFailuresInProcess, TheWindowBeingDestroyedStillAnswersAsItself) {
  auto program = std::make_unique<ProgramWindow>();
  const HWND window = program->window();
  static HWND watched = nullptr;
  static std::wstring caption;
  watched = window;
  caption = L"<not destroyed>";
  const HHOOK hook = SetWindowsHookExW(
      WH_CBT,
      [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == watched) {
          wchar_t text[64] = {};
          GetWindowTextW(watched, text, 64);
          caption = text;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
      },
      nullptr, GetCurrentThreadId());
  program.reset();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(caption, L"Exportar datos horarios a ZORVA (Dadozuz)");
}

// The desktop's colours for a while; the earlier ones come back at the end.
class DesktopColours {
 public:
  DesktopColours(std::initializer_list<std::pair<int, COLORREF>> colours) {
    for (const auto& [index, colour] : colours) {
      indices_.push_back(index);
      before_.push_back(GetSysColor(index));
      after_.push_back(colour);
    }
    SetSysColors(static_cast<int>(indices_.size()), indices_.data(), after_.data());
  }
  ~DesktopColours() { SetSysColors(static_cast<int>(indices_.size()), indices_.data(), before_.data()); }
  DesktopColours(const DesktopColours&) = delete;
  DesktopColours& operator=(const DesktopColours&) = delete;

 private:
  std::vector<int> indices_;
  std::vector<COLORREF> before_;
  std::vector<COLORREF> after_;
};

// What a window paints of itself, through WM_PRINTCLIENT.
class Printed {
 public:
  explicit Printed(HWND window) : screen_(GetDC(nullptr)), dc_(CreateCompatibleDC(screen_)) {
    RECT client;
    GetClientRect(window, &client);
    size_ = {client.right, client.bottom};
    bitmap_ = CreateCompatibleBitmap(screen_, size_.cx, size_.cy);
    previous_ = SelectObject(dc_, bitmap_);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
  }
  ~Printed() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    ReleaseDC(nullptr, screen_);
  }
  Printed(const Printed&) = delete;
  Printed& operator=(const Printed&) = delete;
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  int Count(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) count += At(x, y) == colour;
    return count;
  }
  SIZE size() const { return size_; }

 private:
  HDC screen_;
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  SIZE size_{};
};

TEST(WindowFailuresInProcess, AHostedWindowPaintsWithTheDesktopsColoursOfTheMoment) {
  HostWindow host;
  ProgramWindow program("C:\\Tempovia\\", "mirar " + host.Number());
  ASSERT_EQ(GetParent(program.window()), host.get());
  const std::vector<HWND> panels = program.Panels();
  ASSERT_EQ(panels.size(), 2u);
  const HWND upper = panels[0] == GetParent(program.Button(L"Aceptar")) ? panels[0] : panels[1];

  const COLORREF text = RGB(0x12, 0x34, 0x56);
  const COLORREF highlight = RGB(0x01, 0xFE, 0x02);
  const COLORREF shadow = RGB(0xFD, 0x03, 0xFC);
  const COLORREF buttonText = RGB(0x77, 0x05, 0x99);
  const DesktopColours colours{{COLOR_WINDOWTEXT, text},
                               {COLOR_BTNHIGHLIGHT, highlight},
                               {COLOR_BTNSHADOW, shadow},
                               {COLOR_BTNTEXT, buttonText}};
  program.Pump([] { return false; }, 300ms);
  const Printed panel(upper);
  EXPECT_EQ(panel.At(0, 0), highlight) << "the bevel's highlight";
  EXPECT_EQ(panel.At(panel.size().cx - 1, 0), shadow) << "the bevel's shadow";
  EXPECT_GT(panel.Count({67, 24, 67 + 473, 24 + 33}, text), 20) << "Label4 in the window text colour";

  const Printed button(program.Button(L"Aceptar"));
  const RECT face{0, 0, button.size().cx, button.size().cy};
  EXPECT_GT(button.Count(face, text), 5) << "the caption in the window text colour";
  EXPECT_EQ(button.Count(face, buttonText), 0);
}

TEST(WindowFailuresInProcess, TheClipboardKeepsWhatItHadWhenTheTextCannotBePrepared) {
  ASSERT_TRUE(PutOnClipboard(nullptr, ClipboardTextMemory(L"antes")));
  EXPECT_FALSE(PutOnClipboard(nullptr, unique_hglobal{}));
  ASSERT_TRUE(OpenClipboard(nullptr));
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* chars = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  const std::wstring kept = chars ? chars : L"<nothing>";
  if (chars) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(kept, L"antes");
}

}  // namespace
}  // namespace zorva::test_support
