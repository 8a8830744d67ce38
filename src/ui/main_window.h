#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/run_modes.h"
#include "app/start_parameters.h"
#include "export/export_run.h"
#include "export/export_window.h"
#include "help/program_help.h"
#include "ui/bitmap_button.h"
#include "ui/button_focus.h"
#include "ui/gradient_panel.h"
#include "ui/window_handles.h"
#include "ui/window_layout.h"

namespace zorva {

// TMForm: the program's one window. It owns its panels, its buttons' glyphs
// and its fonts; its window procedure routes each message to the handler
// that the design names.
class TMForm final : public ExportWindow, public StartWindow {
 public:
  // Builds the window and its controls hidden, then runs FormCreate. While
  // the window is top-level it is owned by `owner`, the window that carries
  // the program's taskbar entry, and shows it along with itself.
  TMForm(ProgramState& state, const CommandLineParameters& parameters, std::string programFolder,
         ProgramHelp& help, HWND owner);
  ~TMForm() override;
  TMForm(const TMForm&) = delete;
  TMForm& operator=(const TMForm&) = delete;

  HWND handle() const { return window_ ? window_->window.get() : nullptr; }

  // The first show: FormShow, then the placement, then the window appears.
  void Show();

  // The window's keys, looked at before the message is dispatched; true
  // when the key was used here.
  bool PreTranslateMessage(const MSG& message);

  // The handlers.
  void FormCreate();
  void FormShow();
  void FormClose();  // raises a failure to keep the window open
  void BImportarClick();
  void Button1Click();
  void FormHelp(int context);  // F1, with the help context of the control

  // What the export run and the start-up use of the window.
  void AttachToHostWindow(std::uint32_t handle) override;
  std::optional<std::string> AskExportFileName(const std::string& offered) override;
  void ShowNotice(const std::string& text) override;
  void HideExportButton() override;
  void ShowArrowCursor() override;
  void CloseMainWindow() override;

 private:
  // The system window and its controls, made and dropped together. The
  // buttons' objects outlive the panels, whose windows take the buttons'
  // windows with them.
  struct SystemWindow {
    unique_hwnd window;
    std::unique_ptr<BitmapButton> bImportar;
    std::unique_ptr<BitmapButton> bClose;
    std::unique_ptr<GradientPanel> draw3D1;
    std::unique_ptr<GradientPanel> draw3D3;
    HWND button1 = nullptr;  // a child of Draw3D1, destroyed with it
  };

  template <typename Owner>
  friend LRESULT CALLBACK RoutedWindowProc(HWND, UINT, WPARAM, LPARAM);
  void AdoptWindow(HWND window) { building_->window.reset(window); }
  void ReleaseWindow(HWND window);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void CreateFonts();
  // Raises the system's failure when the window or a control cannot be made.
  std::unique_ptr<SystemWindow> MakeSystemWindow(HWND parentOrOwner, DWORD style, DWORD exStyle, int width,
                                                 int height);
  void CreateControls(SystemWindow& made) const;
  void PlaceAtFirstShow();
  void UseButtons();
  void OnCommand(int id, int code);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnSysColorChange();
  HWND DialogOwner() const;
  LayoutRect Scaled(Control control) const;

  ProgramState& state_;
  const CommandLineParameters& parameters_;
  std::string programFolder_;
  ProgramHelp& help_;
  HWND owner_;  // the application window, which outlives this one

  LayoutScale scale_;
  unique_hfont windowFont_;
  unique_hfont label4Font_;
  unique_hfont label1Font_;

  std::unique_ptr<SystemWindow> window_;
  SystemWindow* building_ = nullptr;  // the one whose system window is being created
  std::unique_ptr<ExportRun> exportRun_;
  ButtonFocus focus_;
};

}  // namespace zorva
