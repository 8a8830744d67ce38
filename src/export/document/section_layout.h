#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "export/dbase/table_type.h"

namespace zorva {

// How an attribute of a row element gets its value.
enum class Conversion {
  RowNumber,  // the section's running row number
  Text,       // ColumnText of the column
  Integer,    // ColumnInteger of the column
};

struct AttributeLayout {
  std::u16string_view name;  // as the document spells it
  std::string_view column;   // the column it comes from; empty for RowNumber
  Conversion conversion;
};

// Which folder a section's table lies in.
enum class TableFolder {
  Program,   // beside the program; set again by each run
  Solution,  // the host's scratch folder, fixed for the process
};

// One section of the export document and the table component it is read from.
struct Section {
  std::u16string_view name;     // the section element
  std::u16string_view rowName;  // one element per table row
  std::string_view component;   // the table component's name, as failures name it
  std::string_view tableName;
  TableType tableType;
  TableFolder folder;
  std::span<const AttributeLayout> attributes;  // in document order

  // The absolute path that finds the section element again: "/SERVICIO/" and its name.
  std::u16string_view path;
};

// Rows of a numbered section carry their running number ("ID").
bool Numbered(const Section& section);

inline constexpr std::size_t kSectionCount = 6;

// The most attributes a row element of any section has.
inline constexpr std::size_t kMaxAttributes = 12;

// The six sections, in document order.
extern const std::array<Section, kSectionCount> SectionLayout;

}  // namespace zorva
