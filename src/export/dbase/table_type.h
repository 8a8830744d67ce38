#pragma once

namespace zorva {

// How a table component names the kind of its table.
enum class TableType {
  Default,  // taken from the file: ".DBF" with a ".FPT" or ".CDX" beside it is FoxPro
  DBase,
  FoxPro,
};

}  // namespace zorva
