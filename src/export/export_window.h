#pragma once

#include <optional>
#include <string>

namespace zorva {

// What the export run needs of the main window. The window implements it;
// the tests implement it with a fake.
class ExportWindow {
 public:
  virtual ~ExportWindow() = default;

  // SaveDialogXML, offering the given name: the full path the user confirmed,
  // or nothing when the dialog was cancelled.
  virtual std::optional<std::string> AskExportFileName(const std::string& offered) = 0;

  // The modal notice box; returns when it has been closed.
  virtual void ShowNotice(const std::string& text) = 0;

  // Hides BImportar for good.
  virtual void HideExportButton() = 0;

  // Sets the application-wide mouse cursor to the normal arrow.
  virtual void ShowArrowCursor() = 0;

  // Closes the main window as its close button does (FormClose, then the end).
  virtual void CloseMainWindow() = 0;
};

}  // namespace zorva
