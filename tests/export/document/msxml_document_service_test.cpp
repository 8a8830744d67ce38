// The document object over COM: what a run is told when it cannot be had.
#include "export/document/msxml_document_service.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "export/com_apartment.h"
#include "export/test_files.h"

namespace zorva {
namespace {

TEST(MsxmlDocumentServiceTest, AnObjectThatCannotBeHadIsADocumentFailure) {
  ComApartment apartment;
  const std::string target = (test_support::ScratchFolder("zorva-msxml-") / "horario.xml").string();
  struct Case {
    const wchar_t* progId;
    std::uint32_t status;
    bool interfaceText;
  };
  const Case cases[]{
      {L"Zorva.NoSuchObject", 0x800401F3, false},   // not registered: the system's text
      {L"Scripting.Dictionary", 0x80004002, true},  // no IXMLDOMDocument
  };
  for (const Case& c : cases) {
    // What an earlier call left on the thread is no part of this failure.
    ICreateErrorInfo* create = nullptr;
    ASSERT_EQ(CreateErrorInfo(&create), S_OK);
    create->SetDescription(const_cast<LPOLESTR>(L"earlier"));
    IErrorInfo* earlier = nullptr;
    create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&earlier));
    SetErrorInfo(0, earlier);
    earlier->Release();
    create->Release();
    try {
      MakeComDocumentService(target, c.progId);
      ADD_FAILURE() << "no failure";
    } catch (const DocumentFailure& failure) {
      EXPECT_EQ(failure.status(), c.status);
      if (c.interfaceText)
        EXPECT_EQ(failure.text(), "Interface no soportada");
      else
        EXPECT_NE(failure.text(), "earlier");
    }
  }
  EXPECT_TRUE(test_support::FileNames(std::filesystem::path(target).parent_path()).empty());
}

}  // namespace
}  // namespace zorva
