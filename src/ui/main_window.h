#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/command_line.h"
#include "app/run_modes.h"
#include "export/export_run.h"
#include "export/export_window.h"
#include "help/program_help.h"
#include "ui/bitmap_button.h"
#include "ui/gradient_panel.h"
#include "ui/win32_handles.h"
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

  HWND handle() const { return window_.get(); }

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
  template <typename Owner>
  friend LRESULT CALLBACK RoutedWindowProc(HWND, UINT, WPARAM, LPARAM);
  void AdoptWindow(HWND window) { window_.reset(window); }
  void ReleaseWindow() { window_.release(); }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateFonts();
  void CreateSystemWindow(HWND parentOrOwner, DWORD style, DWORD exStyle, int width, int height);
  void DestroySystemWindow();
  void CreateControls();
  void PlaceAtFirstShow();
  void OnCommand(int id, int code);
  void OnActivate(bool active);
  void PressButton(Control button);
  void FocusButton(Control button);
  void UpdateDefaultMarks();
  std::optional<Control> FocusedButton() const;
  HWND ButtonHandle(Control button) const;
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

  unique_hwnd window_;
  std::unique_ptr<GradientPanel> draw3D3_;
  std::unique_ptr<GradientPanel> draw3D1_;
  std::unique_ptr<BitmapButton> bImportar_;
  std::unique_ptr<BitmapButton> bClose_;
  HWND button1_ = nullptr;  // a child of Draw3D1, destroyed with it

  std::unique_ptr<ExportRun> exportRun_;
  bool exportButtonShown_ = true;
  bool recreating_ = false;  // WM_DESTROY of a window being made anew does not end the program
  HWND focusOnDeactivate_ = nullptr;
};

}  // namespace zorva
