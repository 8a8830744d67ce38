#pragma once

#include <memory>
#include <string>

#include "export/document/document_service.h"

namespace zorva {

// The document service over the COM object of the given programmatic
// identifier, which must offer IXMLDOMDocument; MakeDocumentService asks for
// "Microsoft.XMLDOM". The calling thread must be in a COM apartment.
std::unique_ptr<DocumentService> MakeComDocumentService(const std::string& fileName, const wchar_t* progId);

}  // namespace zorva
