#include "ui/failure_display.h"

namespace zorva {

bool IsShownFailure(const Failure& failure) { return failure.kind() != FailureKind::Silent; }

std::string FailureBoxText(const std::string& text) {
  // Ranks compare as unsigned bytes: accented letters rank above ".".
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') return text + ".";
  return text;
}

}  // namespace zorva
