#include "app/run_modes.h"

#include "app/window_number.h"
#include "textforms/failure.h"
#include "textforms/failure_texts.h"

namespace zorva {
namespace {

constexpr int kHostParameterCount = 2;

std::string AsciiLower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

void DecideRunMode(ProgramState& state, const CommandLineParameters& parameters, StartWindow& window) {
  if (parameters.Count() != kHostParameterCount) return;
  const std::uint32_t handle = ReadWindowNumber(parameters[2]);
  window.AttachToHostWindow(handle);
  state.StartParamCount = parameters.Count();
}

bool StartsExportAtFirstShow(const CommandLineParameters& parameters) {
  return parameters.Count() == kHostParameterCount && AsciiLower(parameters[1]) == "importar";
}

std::string HandshakeFilePath(const std::string& programFolder) { return programFolder + "Tempovia.ini"; }

void WriteHandshake(const ProgramState& state, std::int32_t exportSucceeded, const std::string& programFolder,
                    ProfileWriter& writer) {
  if (!state.HostMode()) return;
  const std::string path = HandshakeFilePath(programFolder);
  if (!writer.WriteProfileKey(path, "Transformadores", "Transformado", std::to_string(exportSucceeded)))
    throw Failure(FailureKind::Handshake, ComposeFailureText(FailureText::UnableToWrite, {path}));
}

}  // namespace zorva
