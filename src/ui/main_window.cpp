#include "ui/main_window.h"

#include <algorithm>

#include "app/system_profile_writer.h"
#include "help/window_help_context.h"
#include "textforms/failure.h"
#include "textforms/system_text.h"
#include "ui/application.h"
#include "ui/event_dispatch.h"
#include "ui/notice_box.h"
#include "ui/save_dialog.h"
#include "ui/system_menu.h"
#include "ui/thread_windows.h"
#include "ui/window_class.h"

namespace zorva {
namespace {

constexpr wchar_t kClassName[] = L"TMForm";
constexpr wchar_t kCaption[] = L"Exportar datos horarios a ZORVA (Dadozuz)";
constexpr DWORD kFramedStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFramedExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr DWORD kHelpContext = 1;

constexpr PanelGradient kDraw3D3Gradient{{0xF9, 0xD3, 0x7D}, Rgb{0xFF, 0xFF, 0xFF}, {0xFF, 0xEE, 0xDD}};
constexpr PanelGradient kDraw3D1Gradient{{0xC2, 0xCD, 0xFE}, Rgb{0xCF, 0xF2, 0xFE}, {0xCC, 0xD8, 0xE6}};

HFONT MakeFont(int height, int weight, const wchar_t* face) {
  return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace

TMForm::TMForm(ProgramState& state, const CommandLineParameters& parameters, std::string programFolder,
               ProgramHelp& help, HWND owner)
    : state_(state),
      parameters_(parameters),
      programFolder_(std::move(programFolder)),
      help_(help),
      owner_(owner) {
  CreateFonts();
  RegisterWindowClass(kClassName, &RoutedWindowProc<TMForm>, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  const LayoutRect client = Scaled(Control::MForm);
  RECT outer{0, 0, client.width, client.height};
  AdjustWindowRectEx(&outer, kFramedStyle, FALSE, kFramedExStyle);
  window_ = MakeSystemWindow(owner_, kFramedStyle, kFramedExStyle, outer.right - outer.left,
                             outer.bottom - outer.top);
  UseButtons();
  exportRun_ = std::make_unique<ExportRun>(*this, programFolder_, "c:\\ttemp");
  RunHandler([this] { FormCreate(); });
}

std::unique_ptr<TMForm::SystemWindow> TMForm::MakeSystemWindow(HWND parentOrOwner, DWORD style, DWORD exStyle,
                                                               int width, int height) {
  auto made = std::make_unique<SystemWindow>();
  const bool child = style & WS_CHILD;
  const int position = child ? 0 : CW_USEDEFAULT;
  // The window procedure puts the handle into `made` at WM_NCCREATE.
  building_ = made.get();
  CreateWindowExW(exStyle, kClassName, kCaption, style, position, position, width, height, parentOrOwner,
                  nullptr, GetModuleHandleW(nullptr), this);
  building_ = nullptr;
  if (!made->window) throw Failure(FailureKind::System, LastSystemErrorText());
  SetWindowContextHelpId(made->window.get(), kHelpContext);
  if (style & WS_SYSMENU) KeepOnlyMoveAndClose(made->window.get());
  CreateControls(*made);
  return made;
}

void TMForm::ReleaseWindow(HWND window) {
  if (building_ && building_->window.get() == window) building_->window.release();
  if (window_ && window_->window.get() == window) {
    window_->window.release();
    SetHostedWindow(nullptr);
  }
}

TMForm::~TMForm() {
  SetHostedWindow(nullptr);
  // Dropped before the rest: its last messages find no window of this form.
  window_.reset();
}

void TMForm::CreateFonts() {
  const window_dc screen(nullptr);
  scale_.dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
  windowFont_.reset(MakeFont(scale_.FontHeight(kWindowFontHeight), FW_NORMAL, L"MS Sans Serif"));
  {
    const select_object font(screen.get(), windowFont_.get());
    SIZE zero{};
    GetTextExtentPoint32W(screen.get(), L"0", 1, &zero);
    scale_.textHeight = zero.cy;
  }
  label4Font_.reset(MakeFont(scale_.Measure(16), FW_BOLD, L"Arial"));
  label1Font_.reset(MakeFont(scale_.Measure(kWindowFontHeight), FW_BOLD, L"MS Sans Serif"));
}

void TMForm::UseButtons() {
  focus_.Use({handle(), window_->bImportar->handle(), window_->bClose->handle(), window_->button1});
}

LayoutRect TMForm::Scaled(Control control) const { return scale_.Rect(LayoutOf(control).rect); }

void TMForm::CreateControls(SystemWindow& made) const {
  const HWND window = made.window.get();
  // Draw3D3 lies above Draw3D1, whose first row it covers.
  made.draw3D1 =
      std::make_unique<GradientPanel>(window, Scaled(Control::Draw3D1), kDraw3D1Gradient, kHelpContext);
  made.draw3D3 =
      std::make_unique<GradientPanel>(window, Scaled(Control::Draw3D3), kDraw3D3Gradient, kHelpContext);
  SetWindowPos(made.draw3D3->handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  made.draw3D3->AddLabel({L"Transformar datos y horario desde Tempovia hacia ZORVA",
                          label4Font_.get(),
                          {.desktop = COLOR_WINDOWTEXT},
                          Scaled(Control::Label4),
                          true});
  LayoutRect label1 = Scaled(Control::Label1);
  label1.width = 0;
  made.draw3D1->AddLabel(
      {L"TempoviaZORVA para ZR4 V-1.0", label1Font_.get(), {.fixed = RGB(0xFF, 0, 0)}, label1, false});

  made.bImportar = std::make_unique<BitmapButton>(made.draw3D3->handle(), ControlId(Control::BImportar),
                                                  Scaled(Control::BImportar), L"Aceptar", L"BBOK",
                                                  windowFont_.get(), kHelpContext);
  made.bClose = std::make_unique<BitmapButton>(made.draw3D1->handle(), ControlId(Control::BClose),
                                               Scaled(Control::BClose), L"&Salir", L"BBCLOSE",
                                               windowFont_.get(), kHelpContext);
  const LayoutRect button1 = Scaled(Control::Button1);
  made.button1 = CreateWindowExW(0, L"BUTTON", L"F1 AYUDA",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, button1.left,
                                 button1.top, button1.width, button1.height, made.draw3D1->handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(Control::Button1))),
                                 GetModuleHandleW(nullptr), nullptr);
  if (!made.button1) throw Failure(FailureKind::System, LastSystemErrorText());
  SendMessageW(made.button1, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.get()), FALSE);
  SetWindowContextHelpId(made.button1, kHelpContext);
}

void TMForm::Show() {
  RunHandler([this] { FormShow(); });
  if (!handle()) return;  // closed from within FormShow: the program is ending
  PlaceAtFirstShow();
  // The taskbar entry comes with a top-level window; inside the host's
  // window the program has none of its own.
  if (owner_ && !(GetWindowLongW(handle(), GWL_STYLE) & WS_CHILD)) ShowWindow(owner_, SW_SHOWNA);
  ShowWindow(handle(), SW_SHOW);
  UpdateWindow(handle());
}

void TMForm::PlaceAtFirstShow() {
  RECT outer;
  GetWindowRect(handle(), &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  const int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  // A child window's position is measured from its host's client area.
  SetWindowPos(handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- handlers

void TMForm::FormCreate() {
  DecideRunMode(state_, parameters_, *this);
  exportRun_->SetHostMode(state_.HostMode());
}

void TMForm::FormShow() {
  if (StartsExportAtFirstShow(parameters_)) BImportarClick();
}

void TMForm::FormClose() {
  SystemProfileWriter writer;
  WriteHandshake(state_, exportRun_->ExportSucceeded(), programFolder_, writer);
}

void TMForm::BImportarClick() { exportRun_->BImportarClick(); }

void TMForm::Button1Click() {
  TheApplication().HelpFile = kProgramHelpFile;
  help_.HelpCommand(kHelpCommandContents, 0);
}

void TMForm::FormHelp(int context) { help_.ContextHelp(context); }

// --- operations

void TMForm::AttachToHostWindow(std::uint32_t handle) {
  RECT outer;
  GetWindowRect(this->handle(), &outer);
  // Window handles are 32-bit values, sign-extended to the pointer's width.
  HWND host = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(handle)));
  // A number that names no window is taken as 0: the system would refuse a
  // child of it, and the program would run on with no window at all.
  if (!IsWindow(host)) host = nullptr;
  // The window is made anew inside the host's, borderless, at the outer size
  // the framed one had; with no host window it stays top-level. The framed
  // window goes only once its successor stands: when the system refuses the
  // new one (the host window may have closed meanwhile), the failure leaves
  // the framed window in place.
  std::unique_ptr<SystemWindow> made =
      MakeSystemWindow(host ? host : owner_, (host ? WS_CHILD : WS_POPUP) | WS_CLIPCHILDREN,
                       WS_EX_CONTROLPARENT, outer.right - outer.left, outer.bottom - outer.top);
  window_.swap(made);
  UseButtons();
  SetHostedWindow(host ? this->handle() : nullptr);
}

std::optional<std::string> TMForm::AskExportFileName(const std::string& offered) {
  // The dialog disables the top-level window it belongs to, which inside
  // the host is not this one.
  const DisabledWindows hosted(HostedWindows());
  return SaveDialogXML(DialogOwner(), offered);
}

void TMForm::ShowNotice(const std::string& text) { zorva::ShowNotice(text); }

void TMForm::HideExportButton() {
  // With the button goes the focus: no control holds it until the window is
  // next activated.
  if (GetFocus() == window_->bImportar->handle()) SetFocus(handle());
  ShowWindow(window_->bImportar->handle(), SW_HIDE);
  focus_.ExportButtonHidden();
}

void TMForm::ShowArrowCursor() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }

void TMForm::CloseMainWindow() {
  if (handle()) SendMessageW(handle(), WM_CLOSE, 0, 0);
}

HWND TMForm::DialogOwner() const {
  return handle() && IsWindowVisible(handle()) ? GetAncestor(handle(), GA_ROOT) : nullptr;
}

// --- messages

LRESULT TMForm::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A system window still being made, or one being dropped, is the
  // system's to answer.
  if (window != handle()) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_ACTIVATE:
      focus_.Activated(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_HELP:
      if (const auto context = HelpRequestContext(*reinterpret_cast<const HELPINFO*>(lParam)))
        FormHelp(*context);
      return TRUE;
    case WM_SYSCOLORCHANGE:
      OnSysColorChange();
      return 0;
    case WM_CLOSE:
      FormClose();  // a failure here keeps the window open
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void TMForm::OnCommand(int id, int code) {
  if (code == BN_SETFOCUS || code == BN_KILLFOCUS) {
    focus_.UpdateDefaultMarks();
    return;
  }
  // While a box holds the window disabled, a press that still reaches a
  // button (sent to it, as no click can be) starts nothing.
  if (code != BN_CLICKED || !IsWindowEnabled(handle())) return;
  if (id == ControlId(Control::BImportar)) BImportarClick();
  if (id == ControlId(Control::BClose)) CloseMainWindow();
  if (id == ControlId(Control::Button1)) Button1Click();
}

void TMForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const std::optional<Control> focused = focus_.Focused();
  if (item.hwndItem == window_->bImportar->handle())
    window_->bImportar->Draw(item, !focused || focused == Control::BImportar);
  else if (item.hwndItem == window_->bClose->handle())
    window_->bClose->Draw(item, focused == Control::BClose);
}

void TMForm::OnSysColorChange() {
  window_->draw3D3->LookChanged();
  window_->draw3D1->LookChanged();
  RedrawWindow(handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool TMForm::PreTranslateMessage(const MSG& message) { return handle() && focus_.HandleKey(message); }

}  // namespace zorva
