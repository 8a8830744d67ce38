// Reading speed of the table engine (scripts/bench-tables.sh runs it).
//
//   dbase_bench make FOLDER ROWS   writes FOLDER/SOLUC.DBF, the host's
//                                  timetable solution layout, with ROWS rows
//   dbase_bench read FOLDER        reads it as the export does: every row, the
//                                  twelve fields through TwwTable, each found
//                                  by name once
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "export/table_component.h"

namespace {

struct Field {
  const char* name;
  char type;
  int width;
};

constexpr Field kSoluc[] = {
    {"ASIG", 'C', 4}, {"AULA", 'C', 4},     {"CODGRUPO", 'C', 10}, {"CURSO", 'C', 3},
    {"DIA", 'N', 1},  {"GRUPO", 'C', 1},    {"HORA", 'N', 2},      {"NIVEL", 'C', 5},
    {"PROF", 'C', 4}, {"SESIONES", 'N', 2}, {"TAREA", 'C', 1},     {"TURNO", 'C', 1},
};

void Put(std::string& bytes, std::size_t at, unsigned long value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

std::string Padded(std::string text, int width, bool right) {
  if (static_cast<int>(text.size()) > width) text.resize(width);
  const std::string blanks(width - text.size(), ' ');
  return right ? blanks + text : text + blanks;
}

int Make(const std::string& folder, unsigned long rows) {
  int recordLength = 1;
  for (const Field& field : kSoluc) recordLength += field.width;
  const std::size_t fieldCount = std::size(kSoluc);
  std::string header(32, '\0');
  header[0] = 0x03;
  header[29] = 0x03;  // Windows ANSI
  Put(header, 4, rows, 4);
  Put(header, 8, 32 + 32 * fieldCount + 1, 2);
  Put(header, 10, recordLength, 2);
  for (const Field& field : kSoluc) {
    std::string descriptor(32, '\0');
    descriptor.replace(0, std::string(field.name).size(), field.name);
    descriptor[11] = field.type;
    descriptor[16] = static_cast<char>(field.width);
    header += descriptor;
  }
  header += '\r';

  std::ofstream out(folder + "/SOLUC.DBF", std::ios::binary);
  out << header;
  std::string batch;
  for (unsigned long row = 0; row < rows; ++row) {
    // One row in sixteen has a letter outside ASCII, as Spanish names do.
    const bool accented = row % 16 == 0;
    batch += ' ';
    batch += Padded(accented ? "ESPA\xD1" : "MAT" + std::to_string(row % 10), 4, false);
    batch += Padded("A" + std::to_string(row % 300), 4, false);
    batch += Padded("G" + std::to_string(row % 40), 10, false);
    batch += Padded(std::to_string(1 + row % 4), 3, false);
    batch += Padded(std::to_string(1 + row % 5), 1, true);
    batch += Padded(std::string(1, static_cast<char>('A' + row % 4)), 1, false);
    batch += Padded(std::to_string(1 + row % 7), 2, true);
    batch += Padded(accented ? "1\xBA"
                               "ESO"
                             : "ESO",
                    5, false);
    batch += Padded("P" + std::to_string(row % 90), 4, false);
    batch += Padded(std::to_string(1 + row % 3), 2, true);
    batch += Padded("L", 1, false);
    batch += Padded(row % 2 ? "M" : "T", 1, false);
    if (batch.size() > (1 << 20)) {
      out << batch;
      batch.clear();
    }
  }
  out << batch << '\x1A';
  return out ? 0 : 1;
}

int Read(const std::string& folder) {
  const auto start = std::chrono::steady_clock::now();
  zorva::TwwTable table("wwTableSoluc", "SOLUC", zorva::TableType::DBase, folder);
  table.Open();
  unsigned long rows = 0;
  std::size_t characters = 0;
  // As the export reads: each field found by name once, then by its place.
  std::vector<std::size_t> places;
  for (const Field& field : kSoluc) places.push_back(table.ColumnIndex(field.name));
  zorva::ColumnValue value;
  for (table.First(); !table.AtEnd(); table.Next(), ++rows) {
    for (const std::size_t place : places) {
      table.ReadColumn(place, value);
      characters += value.text.size();
    }
  }
  table.Close();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::ifstream file(folder + "/SOLUC.DBF", std::ios::binary | std::ios::ate);
  const double megabytes = static_cast<double>(file.tellg()) / 1e6;
  std::printf("rows %lu  seconds %.3f  rows/s %.0f  MB/s %.1f  (%.1f MB, %zu bytes of text)\n", rows, seconds,
              rows / seconds, megabytes / seconds, megabytes, characters);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "make") return Make(args[1], std::strtoul(args[2].c_str(), nullptr, 10));
  if (args.size() == 2 && args[0] == "read") return Read(args[1]);
  std::fprintf(stderr, "usage: dbase_bench make FOLDER ROWS | dbase_bench read FOLDER\n");
  return 2;
}
