#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "export/document/document_service.h"

// Rows written as name-value pairs, split into what the document service
// takes once per section (the names) and per row (the values).
namespace zorva::test_support {

inline std::vector<std::u16string_view> NamesOf(std::span<const Attribute> row) {
  std::vector<std::u16string_view> names;
  for (const Attribute& attribute : row) names.push_back(attribute.name);
  return names;
}

inline std::vector<AttributeValue> ValuesOf(std::span<const Attribute> row) {
  std::vector<AttributeValue> values;
  for (const Attribute& attribute : row) values.push_back(attribute.value);
  return values;
}

}  // namespace zorva::test_support
