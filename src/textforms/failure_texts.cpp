#include "textforms/failure_texts.h"

#include <array>
#include <cstdio>
#include <utility>

#include "textforms/program_text.h"

namespace zorva {
namespace {

// Written in UTF-8; ComposeFailureText gives them as program text.
constexpr std::array kTexts{
    std::pair{FailureText::InvalidInteger, "'%s' no es un valor entero válido"},
    std::pair{FailureText::FieldAccess, "No se puede acceder el campo '%s' como tipo %s"},
    std::pair{FailureText::InvalidFloatOperation, "Operación de punto flotante inválida"},
    std::pair{FailureText::FieldNotFound, "No se encuentra el campo '%s'"},
    std::pair{FailureText::ComponentFailure, "%s: %s"},
    std::pair{FailureText::EngineCode, "Error BDE $%.4x"},
    std::pair{FailureText::OleError, "OLE error %.8x"},
    std::pair{FailureText::InterfaceNotSupported, "Interface no soportada"},
    std::pair{FailureText::UnableToWrite, "Unable to write to %s"},
    std::pair{FailureText::OutputIsTable,
              "No se puede guardar el XML en '%s': es una de las tablas que se exportan"},
    std::pair{FailureText::OutputIsMemoFile,
              "No se puede guardar el XML en '%s': es el archivo memo de una de las tablas que se exportan"},
    std::pair{FailureText::OutputIsIndexFile,
              "No se puede guardar el XML en '%s': es un archivo de índices de las tablas de Tempovia"},
    std::pair{FailureText::OutputIsHandshakeFile,
              "No se puede guardar el XML en '%s': es el archivo en el que Tempovia recibe el resultado"},
    std::pair{FailureText::ClipboardUnavailable, "No se puede abrir el portapapeles"},
    std::pair{FailureText::NoTableOfContents, "Unable to find a Table of Contents"},
    std::pair{FailureText::NoHelpFor, "No help found for %s"},
    std::pair{FailureText::NoContextHelp, "No context-sensitive help installed"},
    std::pair{FailureText::NoTopicHelp, "No topic-based help system installed"},
    std::pair{FailureText::SystemError, "Error del sistema %s"},
    std::pair{FailureText::Aborted, "Operación abortada"},
    std::pair{FailureText::OutOfMemory, "No hay memoria suficiente para terminar la operación"},
};

std::string_view Format(FailureText id) {
  for (const auto& [key, text] : kTexts)
    if (key == id) return text;
  return {};
}

std::string Hex(std::uint32_t value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*X", digits, static_cast<unsigned>(value));
  return buffer;
}

}  // namespace

std::string ComposeFailureText(FailureText id, std::initializer_list<FailureArgument> args) {
  const std::string format = ProgramTextFromUtf8(Format(id));
  std::string out;
  auto next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    // The table holds only %s, %.4x and %.8x.
    const bool isText = format.compare(i, 2, "%s") == 0;
    const int digits = isText ? 0 : format[i + 2] - '0';
    i += isText ? 1 : 3;
    if (next == args.end()) continue;
    const FailureArgument& arg = *next++;
    if (const auto* text = std::get_if<std::string_view>(&arg))
      out += *text;
    else
      out += Hex(std::get<std::uint32_t>(arg), digits);
  }
  return out;
}

std::string_view WithoutTrailingMarks(std::string_view text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.remove_suffix(1);
  return text;
}

}  // namespace zorva
