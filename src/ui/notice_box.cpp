#include "ui/notice_box.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "textforms/failure.h"
#include "textforms/failure_texts.h"
#include "textforms/system_text.h"
#include "ui/application.h"
#include "ui/clipboard.h"
#include "ui/event_dispatch.h"
#include "ui/notice_layout.h"
#include "ui/system_menu.h"
#include "ui/thread_windows.h"
#include "ui/wide_text.h"
#include "ui/window_class.h"
#include "ui/window_handles.h"

namespace zorva {
namespace {

constexpr wchar_t kClassName[] = L"TNoticeBox";
constexpr wchar_t kButtonCaption[] = L"Aceptar";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// The desktop's message-box font, or the default user-interface font.
class MessageFont {
 public:
  MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      owned_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
  }
  HFONT get() const { return owned_ ? owned_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

 private:
  unique_hfont owned_;
};

// Measured once per process, with the font of the first box.
int ButtonCaptionWidth(HDC dc) {
  static const int width = [dc] {
    RECT extent{0, 0, 0, 0};
    DrawTextW(dc, kButtonCaption, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    return static_cast<int>(extent.right);
  }();
  return width;
}

class NoticeBox {
 public:
  explicit NoticeBox(const std::string& text) : text_(text) {}

  void Run() {
    const std::wstring wideText = WideText(text_);
    const std::wstring caption = WideText(TheApplication().Title);
    const NoticeLayout layout = Measure(wideText);

    RECT outer{0, 0, layout.clientWidth, layout.clientHeight};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    RegisterWindowClass(kClassName, &NoticeBox::WindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    window_.reset(CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, left, top, width, height,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), this));
    if (!window_) throw Failure(FailureKind::System, LastSystemErrorText());
    KeepOnlyMoveAndClose(window_.get());
    const HWND label =
        CreateWindowExW(0, L"STATIC", wideText.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                        layout.text.left, layout.text.top, layout.text.width, layout.text.height,
                        window_.get(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!label) throw Failure(FailureKind::System, LastSystemErrorText());
    button_ = CreateWindowExW(
        0, L"BUTTON", kButtonCaption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
        layout.button.left, layout.button.top, layout.button.width, layout.button.height, window_.get(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), GetModuleHandleW(nullptr), nullptr);
    if (!button_) throw Failure(FailureKind::System, LastSystemErrorText());
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    RunModal();
  }

 private:
  NoticeLayout Measure(const std::wstring& text) {
    const window_dc screen(nullptr);
    const select_object font(screen.get(), font_.get());
    static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    GetTextExtentPoint32W(screen.get(), kLetters, 52, &letters);
    const NoticeUnits units = NoticeUnitsFrom(letters.cx, letters.cy);
    RECT extent{0, 0, NoticeWrapWidth(GetSystemMetrics(SM_CXSCREEN)), 0};
    DrawTextW(screen.get(), text.c_str(), -1, &extent,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    return LayOutNotice(units, extent.right, extent.bottom, ButtonCaptionWidth(screen.get()));
  }

  // The box's own event loop: the other windows of the program are disabled
  // meanwhile, the main window too where it lives inside the host's, and
  // the arrow shows; all come back afterwards.
  void RunModal() {
    const HWND active = GetActiveWindow();
    const HCURSOR cursor = GetCursor();
    std::vector<HWND> others = HostedWindows();
    for (HWND window : ShownThreadWindows())
      if (window != window_.get()) others.push_back(window);
    std::optional<DisabledWindows> disabled(std::in_place, others);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));

    ShowWindow(window_.get(), SW_SHOWNORMAL);
    SetForegroundWindow(window_.get());
    SetFocus(button_);

    std::optional<WPARAM> quit;
    MSG message;
    while (!closed_) {
      if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
        quit = message.wParam;  // the program is ending: the box closes, the loop above ends too
        break;
      }
      if (IsBoxKey(message)) {
        RunHandler([&] { HandleKey(message); });
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }

    disabled.reset();
    window_.reset();
    SetCursor(cursor);
    if (active && IsWindow(active)) SetActiveWindow(active);
    if (quit) PostQuitMessage(static_cast<int>(*quit));
  }

  bool IsBoxKey(const MSG& message) const {
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != window_.get() && !IsChild(window_.get(), message.hwnd)) return false;
    return message.wParam == VK_RETURN || message.wParam == VK_ESCAPE || message.wParam == 'C';
  }

  void HandleKey(const MSG& message) {
    if (message.wParam == 'C') {
      if (OnlyCtrlHeld()) CopyToClipboard();
      return;
    }
    if (NoModifierHeld()) closed_ = true;
  }

  void CopyToClipboard() const {
    MessageBeep(MB_OK);
    const std::wstring content =
        WideText(NoticeClipboardText(TheApplication().Title, text_, ProgramText(kButtonCaption)));
    if (!PutOnClipboard(window_.get(), ClipboardTextMemory(content)))
      throw Failure(FailureKind::System, ComposeFailureText(FailureText::ClipboardUnavailable));
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* box = reinterpret_cast<NoticeBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (box && (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDOK))) {
      box->closed_ = true;
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  std::string text_;
  MessageFont font_;
  unique_hwnd window_;
  HWND button_ = nullptr;  // a child of the box, destroyed with it
  bool closed_ = false;
};

}  // namespace

void ShowNotice(const std::string& text) {
  NoticeBox box(text);
  box.Run();
}

}  // namespace zorva
