#include "export/dbase/engine_failure.h"

#include <algorithm>
#include <array>
#include <utility>

#include "textforms/failure_texts.h"
#include "textforms/program_text.h"

namespace zorva {
namespace {

// What each status tells the user, written in UTF-8.
constexpr std::array kStatusTexts{
    std::pair{EngineStatus::FolderNotFound, "No se encuentra la carpeta de la tabla"},
    std::pair{EngineStatus::TableNotFound, "No se encuentra el archivo de la tabla"},
    std::pair{EngineStatus::AccessDenied, "No hay permiso para leer el archivo"},
    std::pair{EngineStatus::FileLocked, "Otro programa tiene bloqueado el archivo"},
    std::pair{EngineStatus::OpenFailed, "No se puede abrir el archivo"},
    std::pair{EngineStatus::ReadFailed, "No se puede leer el archivo"},
    std::pair{EngineStatus::NotATable, "El archivo no es una tabla dBase"},
    std::pair{EngineStatus::HeaderTruncated, "La cabecera de la tabla está incompleta"},
    std::pair{EngineStatus::HeaderLength,
              "La longitud de la cabecera de la tabla no concuerda con el archivo"},
    std::pair{EngineStatus::FieldListDamaged, "La lista de campos de la tabla está dañada"},
    std::pair{EngineStatus::FieldTypeUnknown, "La tabla tiene un campo de un tipo desconocido"},
    std::pair{EngineStatus::FieldWidth, "La tabla tiene un campo de una anchura imposible para su tipo"},
    std::pair{EngineStatus::RecordLength, "La longitud de registro de la tabla no concuerda con sus campos"},
    std::pair{EngineStatus::RecordsMissing, "Faltan registros al final del archivo de la tabla"},
    std::pair{EngineStatus::ValueDamaged, "Un campo de la tabla tiene un valor dañado"},
    std::pair{EngineStatus::RecordsUncounted,
              "El archivo de la tabla tiene más registros de los que cuenta su cabecera"},
    std::pair{EngineStatus::RecordFlagDamaged, "Un registro de la tabla tiene una marca de borrado dañada"},
    std::pair{EngineStatus::FieldDecimals, "La tabla tiene un campo numérico con más decimales que cifras"},
    std::pair{EngineStatus::RecordIncomplete, "El último registro del archivo de la tabla está incompleto"},
    std::pair{EngineStatus::MemoNotFound, "No se encuentra el archivo memo de la tabla"},
    std::pair{EngineStatus::MemoDamaged, "El archivo memo de la tabla está dañado"},
    std::pair{EngineStatus::MemoOutside, "Un campo memo señala fuera del archivo memo"},
    std::pair{EngineStatus::TableClosed, "La tabla no está abierta"},
    std::pair{EngineStatus::FolderOfOpenTable, "No se puede cambiar la carpeta de una tabla abierta"},
};

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trimmed(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return std::string(text);
}

}  // namespace

std::string EngineStatusText(std::uint16_t status) {
  for (const auto& [code, text] : kStatusTexts)
    if (static_cast<std::uint16_t>(code) == status) return ProgramTextFromUtf8(text);
  return {};
}

std::string ComposeEngineText(std::uint16_t status, std::span<const EngineEntry> entries) {
  std::vector<std::string> lines;
  auto add = [&lines](std::string_view text) {
    std::string line = Trimmed(text);
    if (!line.empty() && std::find(lines.begin(), lines.end(), line) == lines.end())
      lines.push_back(std::move(line));
  };
  const bool textInEntries = status == kStatusTextInEntries;
  if (!textInEntries) add(EngineStatusText(status));
  for (const EngineEntry& entry : entries) {
    if (entry.status == 0 || entry.status == kStatusEndOfEntries) break;
    if (entry.nativeCode == 0 && !textInEntries) add(EngineStatusText(entry.status));
    add(entry.context);
  }
  if (lines.empty()) return ComposeFailureText(FailureText::EngineCode, {std::uint32_t{status}});

  std::string text = lines.front();
  for (std::size_t i = 1; i < lines.size(); ++i) text += kLineEnd + lines[i];
  return text;
}

EngineFailure::EngineFailure(std::uint16_t status, std::vector<EngineEntry> entries)
    : Failure(FailureKind::Engine, ComposeEngineText(status, entries)),
      status_(status),
      entries_(std::move(entries)) {}

void RaiseEngineFailure(EngineStatus status, std::vector<std::string> contexts, std::int32_t nativeCode) {
  const auto code = static_cast<std::uint16_t>(status);
  std::vector<EngineEntry> entries;
  for (std::string& context : contexts) {
    entries.push_back({code, nativeCode, std::move(context)});
    nativeCode = 0;
  }
  throw EngineFailure(code, std::move(entries));
}

std::string FieldContext(std::string_view fieldName) {
  return ProgramTextFromUtf8("Campo: ") + std::string(fieldName);
}

std::string RecordContext(std::uint32_t recordNumber) {
  return ProgramTextFromUtf8("Registro: ") + std::to_string(recordNumber);
}

}  // namespace zorva
