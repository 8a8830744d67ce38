#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace zorva {

// The failure texts the program composes, all in this one table.
enum class FailureText {
  InvalidInteger,         // '%s' no es un valor entero válido
  FieldAccess,            // No se puede acceder el campo '%s' como tipo %s
  InvalidFloatOperation,  // Operación de punto flotante inválida
  FieldNotFound,          // No se encuentra el campo '%s'
  ComponentFailure,       // %s: %s  (a table component's name, then the text)
  EngineCode,             // Error BDE $%.4x: an engine failure with no text of its own
  OleError,               // OLE error %.8x
  InterfaceNotSupported,  // Interface no soportada
  UnableToWrite,          // Unable to write to %s
  OutputIsTable,          // No se puede guardar el XML en '%s': es una de las tablas que se exportan
  OutputIsMemoFile,       // ... es el archivo memo de una de las tablas que se exportan
  OutputIsIndexFile,      // ... es un archivo de índices de las tablas de Tempovia
  OutputIsHandshakeFile,  // ... es el archivo en el que Tempovia recibe el resultado
  ClipboardUnavailable,   // No se puede abrir el portapapeles
  NoTableOfContents,      // Unable to find a Table of Contents
  NoHelpFor,              // No help found for %s
  NoContextHelp,          // No context-sensitive help installed
  NoTopicHelp,            // No topic-based help system installed
  SystemError,            // Error del sistema %s  (a system error code with no text of its own)
  Aborted,                // Operación abortada (the silent kind's text)
  OutOfMemory,            // No hay memoria suficiente para terminar la operación
};

// How the lines of a failure text of several lines end: the platform's way.
#ifdef _WIN32
inline constexpr char kLineEnd[] = "\r\n";
#else
inline constexpr char kLineEnd[] = "\n";
#endif

// An argument for a placeholder: text for %s, a number for %.4x and %.8x
// (upper-case hexadecimal with that many digits at least).
using FailureArgument = std::variant<std::string_view, std::uint32_t>;

// The text with its placeholders filled in order, as program text (8-bit,
// the ANSI code page on Windows, UTF-8 elsewhere). Text arguments are program
// text already and pass unchanged.
std::string ComposeFailureText(FailureText id, std::initializer_list<FailureArgument> args = {});

// A text from the system or from a document object, cut as a failure takes
// it: without the control characters, spaces and periods it ends in.
std::string_view WithoutTrailingMarks(std::string_view text);

}  // namespace zorva
