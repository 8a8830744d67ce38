#pragma once

#include <string>

#include "textforms/failure.h"

namespace zorva {

// Whether the failure box shows a failure at all: the silent kind never is.
bool IsShownFailure(const Failure& failure);

// The text the failure box shows: the failure's text with "." appended when
// its last character ranks above "." (so not after a control character, a
// space or any of ! " # $ % & ' ( ) * + , - .).
std::string FailureBoxText(const std::string& text);

}  // namespace zorva
