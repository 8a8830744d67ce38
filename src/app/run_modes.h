#pragma once

#include <cstdint>
#include <string>

#include "app/start_parameters.h"

namespace zorva {

// The run mode, fixed by the window's creation. ExportSucceeded and
// ExportFileName are the export run's.
struct ProgramState {
  std::int32_t StartParamCount = 0;  // 2 from the end of FormCreate in HostMode

  bool HostMode() const { return StartParamCount == 2; }
};

// What the start-up handlers need of the main window.
class StartWindow {
 public:
  virtual ~StartWindow() = default;
  virtual void AttachToHostWindow(std::uint32_t handle) = 0;
};

// Writes a key into a section of a profile (INI) file; false when it cannot.
class ProfileWriter {
 public:
  virtual ~ProfileWriter() = default;
  virtual bool WriteProfileKey(const std::string& path, const std::string& section, const std::string& key,
                               const std::string& value) = 0;
};

// The run-mode steps of the window's creation: with exactly two parameters of which the second is a window
// number, attaches the window to that host window and enters HostMode. A bad number raises its failure before
// the window is touched.
void DecideRunMode(ProgramState& state, const CommandLineParameters& parameters, StartWindow& window);

// Whether the first show starts the export: exactly two parameters, the
// first "importar" with A-Z in any case.
bool StartsExportAtFirstShow(const CommandLineParameters& parameters);

// The handshake file: the program folder (ending with its separator)
// followed by Tempovia.ini.
std::string HandshakeFilePath(const std::string& programFolder);

// At every close in HostMode, "Transformado" = ExportSucceeded goes into the
// section "Transformadores" of the handshake file; a write that fails raises
// "Unable to write to <path>".
void WriteHandshake(const ProgramState& state, std::int32_t exportSucceeded, const std::string& programFolder,
                    ProfileWriter& writer);

}  // namespace zorva
